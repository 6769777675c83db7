# The pop-up's worker at shutdown: a stop that gave up on a refresh, the refresh period, and a
# remote-configuration read still inside the library when Uninitialize comes.
add_executable(unit_pop_worker ${CMAKE_CURRENT_LIST_DIR}/unit/PopWorkerTest.cpp)
target_link_libraries(unit_pop_worker PRIVATE activity_popup test_support GTest::gtest_main)
add_test(NAME unit_pop_worker COMMAND unit_pop_worker)
set_tests_properties(unit_pop_worker PROPERTIES LABELS "popup;boundary")

add_test(NAME integration_vanta_ReadInsideTheLibrary
         COMMAND integration_vanta --gtest_filter=VantaWarpperTest.AReadInsideTheLibrary*)
set_tests_properties(integration_vanta_ReadInsideTheLibrary PROPERTIES LABELS "vanta;boundary")
