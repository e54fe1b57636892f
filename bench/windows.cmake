# ChatSend against the practice room; run by hand under Wine (see the header of the source).
add_executable(chatsend_bench ${CMAKE_CURRENT_LIST_DIR}/chatsend_bench.cpp)
target_link_libraries(chatsend_bench PRIVATE Korvelix6o_internals quillon_test_support)

# One preview update of the text line against a plain WM_SETTEXT; run by hand under Wine.
add_executable(preview_bench ${CMAKE_CURRENT_LIST_DIR}/preview_bench.cpp)
target_link_libraries(preview_bench PRIVATE quillon_ui)
target_link_options(preview_bench PRIVATE -municode)

# Sends through quillon.exe while the practice room hangs, dies and restarts; run by hand under
# Wine (see the header of the source).
add_executable(fault_soak ${CMAKE_CURRENT_LIST_DIR}/fault_soak.cpp)
target_link_libraries(fault_soak PRIVATE quillon_e2e_driver psapi)
target_link_options(fault_soak PRIVATE -municode)
add_dependencies(fault_soak quillon practice-room)
