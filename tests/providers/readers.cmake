# The feed readers other than Statuspage.
foreach(reader instatus statusio website xai apple azure aws gcp)
    glinter_add_test(NAME ${reader}provider SOURCES tst_${reader}provider.cpp readertesting.h
                     LIBS glinter_providers glinter_testsupport)
endforeach()
