# ChatSend against the practice room; run by hand under Wine (see the header of the source).
add_executable(chatsend_bench ${CMAKE_CURRENT_LIST_DIR}/chatsend_bench.cpp)
target_link_libraries(chatsend_bench PRIVATE Korvelix6o quillon_test_support)
