# The new-user discount strategy, the report adapters and the explainer. Label: strategy.
add_executable(unit_strategy
  ${CMAKE_CURRENT_LIST_DIR}/unit/StrategyCanShowTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/StrategyGatesTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/StrategyQaTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/ReportAdapterTest.cpp
)
target_link_libraries(unit_strategy PRIVATE activity_strategy test_support GTest::gtest_main)
add_dependencies(unit_strategy tessiktallo vipsdktallo)
add_test(NAME unit_strategy COMMAND unit_strategy --gtest_filter=Strategy*)
add_test(NAME unit_report COMMAND unit_strategy --gtest_filter=Report*)
# The strategy's cases read their own DEBUG lines.
set_tests_properties(unit_strategy PROPERTIES RESOURCE_LOCK log_level LABELS strategy)
set_tests_properties(unit_report PROPERTIES LABELS strategy)

add_executable(strategyprobe ${CMAKE_CURRENT_LIST_DIR}/integration/helpers/StrategyProbe.cpp)
target_link_libraries(strategyprobe PRIVATE activity_strategy)
target_link_options(strategyprobe PRIVATE -municode)

add_executable(integration_strategy ${CMAKE_CURRENT_LIST_DIR}/integration/StrategyHostTest.cpp
                                    ${CMAKE_CURRENT_LIST_DIR}/integration/StrategyHost.cpp)
target_link_libraries(integration_strategy PRIVATE test_support GTest::gtest_main)
add_dependencies(integration_strategy hostfixture demohost pagesdkutil zvanta vipsdk tessiktallo vipsdktallo strategyprobe)
foreach(case Type1 Type2 Type3)
  add_test(NAME integration_strategy_${case} COMMAND integration_strategy --gtest_filter=*.${case}*)
  set_tests_properties(integration_strategy_${case} PROPERTIES RESOURCE_LOCK "host_registry;log_level" LABELS strategy)
endforeach()
