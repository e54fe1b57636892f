# ChatSend against the practice room; run by hand under Wine (see the header of the source).
add_executable(chatsend_bench ${CMAKE_CURRENT_LIST_DIR}/chatsend_bench.cpp)
target_link_libraries(chatsend_bench PRIVATE Korvelix6o quillon_test_support)

# One preview update of the text line against a plain WM_SETTEXT; run by hand under Wine.
add_executable(preview_bench ${CMAKE_CURRENT_LIST_DIR}/preview_bench.cpp)
target_link_libraries(preview_bench PRIVATE quillon_ui)
target_link_options(preview_bench PRIVATE -municode)
