# The slot numbers of the tables shared with the network library, the IPC library, the privilege
# store and the account library: nothing but the family headers, so a reordered table fails here.
add_executable(unit_family_slots unit/FamilySlotTest.cpp)
target_include_directories(unit_family_slots PRIVATE ${CMAKE_SOURCE_DIR}/include ${CMAKE_CURRENT_SOURCE_DIR}/support)
target_link_libraries(unit_family_slots PRIVATE GTest::gtest_main)
add_test(NAME unit_slots_network COMMAND unit_family_slots --gtest_filter=NetvokSlots.*)
set_tests_properties(unit_slots_network PROPERTIES LABELS "network;boundary")
add_test(NAME unit_slots_ipc COMMAND unit_family_slots --gtest_filter=IpcSlots.*:PrivilegeSlots.*:AccountSlots.*)
set_tests_properties(unit_slots_ipc PROPERTIES LABELS "ipc;boundary")
