glinter_add_test(NAME filewatcher SOURCES tst_filewatcher.cpp LIBS glinter_core Qt6::Core)
