# The VIP area: the typed bundle, the SDK wrapper, the adapters and the facade (unit), and the facade
# in simulated hosts with the VIP SDK stand-in (integration). Label: vip.
add_executable(unit_vip
  ${CMAKE_CURRENT_LIST_DIR}/unit/BundleTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/ForeignBundle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/VipSdkWrapperTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/VipAdapterTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/VipFacadeTest.cpp
)
# A bundle as another library's compiler makes it: no type information for the module to read.
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/unit/ForeignBundle.cpp PROPERTIES COMPILE_OPTIONS -fno-rtti)
target_link_libraries(unit_vip PRIVATE activity_vip test_support GTest::gtest_main)
add_dependencies(unit_vip vipsdk vippage quillhelper)
add_test(NAME unit_vip_bundle COMMAND unit_vip --gtest_filter=Bundle*)
add_test(NAME unit_vip COMMAND unit_vip --gtest_filter=Vip*)
set_tests_properties(unit_vip_bundle unit_vip PROPERTIES LABELS vip)
# The Tessik adapter made off the caller's thread is there for the first call.
add_test(NAME unit_vip_start_up COMMAND unit_vip --gtest_filter=FacadeStartUp*)
set_tests_properties(unit_vip_start_up PROPERTIES LABELS "vip;perf")
add_test(NAME unit_vip_boundary COMMAND unit_vip --gtest_filter=Boundary*)
set_tests_properties(unit_vip_boundary PROPERTIES LABELS "vip;boundary")

add_executable(vipprobe ${CMAKE_CURRENT_LIST_DIR}/integration/helpers/VipProbe.cpp)
target_link_libraries(vipprobe PRIVATE activity_vip activity_core)
target_link_options(vipprobe PRIVATE -municode)

add_executable(integration_vip ${CMAKE_CURRENT_LIST_DIR}/integration/VipHostTest.cpp
                               ${CMAKE_CURRENT_LIST_DIR}/integration/VipHost.cpp)
target_link_libraries(integration_vip PRIVATE test_support GTest::gtest_main)
add_dependencies(integration_vip hostfixture demohost pagesdkutil vipsdk vipprobe vippage quillhelper)
foreach(case Type2 Type3Wystan Type3Without Type3Module Type4 Type5 Type6)
  add_test(NAME integration_vip_${case} COMMAND integration_vip --gtest_filter=*.${case}*)
  set_tests_properties(integration_vip_${case} PROPERTIES RESOURCE_LOCK host_registry LABELS vip)
endforeach()
