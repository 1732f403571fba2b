# The feed readers other than Statuspage.
set(reader_test_libs glinter_providers glinter_testsupport)
glinter_add_test(NAME instatusprovider SOURCES tst_instatusprovider.cpp readertesting.h LIBS ${reader_test_libs})
glinter_add_test(NAME statusioprovider SOURCES tst_statusioprovider.cpp readertesting.h LIBS ${reader_test_libs})
glinter_add_test(NAME websiteprovider SOURCES tst_websiteprovider.cpp readertesting.h LIBS ${reader_test_libs})
glinter_add_test(NAME xaiprovider SOURCES tst_xaiprovider.cpp readertesting.h LIBS ${reader_test_libs})
