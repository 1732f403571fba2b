# Options every Glinter target shares: strict Qt defines, warnings and sanitizers.
add_library(glinter_options INTERFACE)
target_compile_definitions(glinter_options INTERFACE
    QT_NO_KEYWORDS
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_NO_URL_CAST_FROM_STRING
    QT_USE_QSTRINGBUILDER
    QT_NO_FOREACH
    QT_STRICT_ITERATORS
)
target_compile_options(glinter_options INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
    -Wunused -Woverloaded-virtual -Wnull-dereference -Wformat=2
    -Wno-gnu-zero-variadic-macro-arguments
    # Value structs have defaults for their later members, which braced lists leave out.
    -Wno-missing-field-initializers
)
if(GLINTER_WERROR)
    target_compile_options(glinter_options INTERFACE -Werror)
endif()
if(GLINTER_SANITIZE)
    target_compile_options(glinter_options INTERFACE
        -fsanitize=address,undefined -fno-sanitize=function,vptr -fno-omit-frame-pointer
        -fno-sanitize-recover=undefined)
    target_link_options(glinter_options INTERFACE -fsanitize=address,undefined -fno-sanitize=function,vptr)
endif()

# What clang-tidy needs of a build besides its compile commands: the files that moc and the
# D-Bus interface compiler write and the program's sources include. `make lint` builds only
# these, so that it can start right after configuring.
add_custom_target(glinter_generated)

# glinter_add_library(NAME glinter_core SOURCES ... LIBS ...)
function(glinter_add_library)
    cmake_parse_arguments(ARG "" "NAME" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
    add_library(${ARG_NAME} STATIC ${ARG_SOURCES})
    target_include_directories(${ARG_NAME} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${ARG_NAME} PUBLIC glinter_options ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
    # moc's target, which also waits for the sources generated before moc reads them
    add_dependencies(glinter_generated ${ARG_NAME}_autogen)
endfunction()

# glinter_add_test(NAME statuspage SOURCES tst_statuspageprovider.cpp LIBS glinter_providers glinter_testsupport [DBUS] [TIMEOUT s])
# Registers a QtTest binary with CTest. Tests run offscreen, in the C.UTF-8 locale, with
# their files isolated in fresh XDG folders under the build tree (temporary ones when a
# binary is started by hand, see tests/support/isolation.cpp), and are labelled after
# their folder so that `ctest -L providers` runs one layer. Under AddressSanitizer freed
# memory is overwritten, so that Qt's own (uninstrumented) code crashes when it touches an
# object we freed too early instead of reading stale but intact data.
function(glinter_add_test)
    cmake_parse_arguments(ARG "DBUS" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    set(target tst_${ARG_NAME})
    add_executable(${target} ${ARG_SOURCES})
    target_link_libraries(${target} PRIVATE glinter_options glinter_testisolation Qt6::Test ${ARG_LIBS})
    target_compile_definitions(${target} PRIVATE
        GLINTER_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
    get_filename_component(label ${CMAKE_CURRENT_SOURCE_DIR} NAME)
    set(xdg ${CMAKE_CURRENT_BINARY_DIR}/xdg/${ARG_NAME})
    if(ARG_DBUS)
        find_program(DBUS_RUN_SESSION dbus-run-session REQUIRED)
        add_test(NAME ${ARG_NAME} COMMAND ${DBUS_RUN_SESSION} -- $<TARGET_FILE:${target}>)
    else()
        add_test(NAME ${ARG_NAME} COMMAND ${target})
    endif()
    set_tests_properties(${ARG_NAME} PROPERTIES
        TIMEOUT ${ARG_TIMEOUT}
        LABELS ${label}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=C.UTF-8;XDG_DATA_HOME=${xdg}/data;XDG_CONFIG_HOME=${xdg}/config;XDG_CACHE_HOME=${xdg}/cache;GLINTER_FEED_ORIGIN=;GLINTER_EXTRA_CA_CERTS=;ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:max_free_fill_size=65536:free_fill_byte=255;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endfunction()
