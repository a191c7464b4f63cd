if(TARGET vantrel_chatwindow)
    vantrel_bench(chat_load_hostile ${CMAKE_CURRENT_SOURCE_DIR}/chat_load_hostile.cpp
                  vantrel_chatwindow)
endif()
