vantrel_fuzzer(fuzz_files ${CMAKE_CURRENT_SOURCE_DIR}/files.cpp vantrel_cli)
