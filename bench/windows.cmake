# ChatSend against the practice room; run by hand under Wine (see the header of the source).
add_executable(chatsend_bench ${CMAKE_CURRENT_LIST_DIR}/chatsend_bench.cpp)
target_link_libraries(chatsend_bench PRIVATE Korvelix6o_internals quillon_test_support)

# One preview update of the text line against a plain WM_SETTEXT; run by hand under Wine.
add_executable(preview_bench ${CMAKE_CURRENT_LIST_DIR}/preview_bench.cpp)
target_link_libraries(preview_bench PRIVATE quillon_ui)
target_link_options(preview_bench PRIVATE -municode)

# What the two soaks below share.
add_library(soak_tools STATIC ${CMAKE_CURRENT_LIST_DIR}/SoakTools.cpp)
target_link_libraries(soak_tools PUBLIC psapi)

# Sends through quillon.exe while the practice room hangs, dies and restarts; run by hand under
# Wine (see the header of the source).
add_executable(fault_soak ${CMAKE_CURRENT_LIST_DIR}/fault_soak.cpp)
target_link_libraries(fault_soak PRIVATE quillon_e2e_driver soak_tools)
target_link_options(fault_soak PRIVATE -municode)
add_dependencies(fault_soak quillon practice-room)

# Sends through quillon.exe while a simulated user presses Send again, types, switches rooms and
# closes and restarts it during slow and hung posts; run by hand under Wine (see the source).
add_executable(user_soak ${CMAKE_CURRENT_LIST_DIR}/user_soak.cpp)
target_link_libraries(user_soak PRIVATE quillon_e2e_driver soak_tools)
target_link_options(user_soak PRIVATE -municode)
add_dependencies(user_soak quillon practice-room)

# Send in quillon.exe to the line in the room and the post over, beside another build of
# quillon.exe by turns; run by hand under Wine (see the header of the source).
add_executable(posting_bench ${CMAKE_CURRENT_LIST_DIR}/posting_bench.cpp)
target_link_libraries(posting_bench PRIVATE quillon_e2e_driver)
target_link_options(posting_bench PRIVATE -municode)
add_dependencies(posting_bench quillon practice-room)

# Fades saved through quillon.exe's name dialog while a probe measures the window's longest
# wait, beside another build of quillon.exe by turns; run by hand under Wine (see the source).
add_executable(fade_save_bench ${CMAKE_CURRENT_LIST_DIR}/fade_save_bench.cpp)
target_link_libraries(fade_save_bench PRIVATE quillon_e2e_driver QuillonFades)
target_link_options(fade_save_bench PRIVATE -municode)
add_dependencies(fade_save_bench quillon practice-room)
