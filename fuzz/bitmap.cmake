vantrel_fuzzer(fuzz_bitmap ${CMAKE_CURRENT_SOURCE_DIR}/bitmap.cpp vantrel_export)
