# The new-user discount pop-up.
add_executable(gui_pop_dlg gui/PopDlgTest.cpp ${ACTIVITY_RESOURCES_RC})
target_link_libraries(gui_pop_dlg PRIVATE activity_popup test_support GTest::gtest_main)
add_test(NAME gui_pop_dlg COMMAND gui_pop_dlg)
set_tests_properties(gui_pop_dlg PROPERTIES LABELS popup)

add_executable(unit_popup unit/PopImageDownloaderTest.cpp)
target_link_libraries(unit_popup PRIVATE activity_popup test_support GTest::gtest_main)
add_test(NAME unit_popup COMMAND unit_popup)
set_tests_properties(unit_popup PROPERTIES LABELS popup)
