vantrel_fuzzer(fuzz_board_frames ${CMAKE_CURRENT_SOURCE_DIR}/board_frames.cpp vantrel_board)
