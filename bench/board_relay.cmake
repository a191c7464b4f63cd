vantrel_bench(board_relay ${CMAKE_CURRENT_SOURCE_DIR}/board_relay.cpp vantrel_chat)
