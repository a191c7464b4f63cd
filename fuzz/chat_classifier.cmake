vantrel_fuzzer(fuzz_chat_classifier ${CMAKE_CURRENT_SOURCE_DIR}/chat_classifier.cpp vantrel_chat)
