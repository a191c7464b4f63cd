vantrel_bench(chat_load ${CMAKE_CURRENT_SOURCE_DIR}/chat_load.cpp vantrel_chat)
