vantrel_bench(board_follow ${CMAKE_CURRENT_SOURCE_DIR}/board_follow.cpp vantrel_chat vantrel_animation)
