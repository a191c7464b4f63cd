vantrel_fuzzer(fuzz_lpk ${CMAKE_CURRENT_SOURCE_DIR}/lpk.cpp vantrel_i18n)
