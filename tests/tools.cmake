# The campaign tools: the linter and the preview (label "tools").
add_executable(unit_lint unit/LintTest.cpp unit/OfferAgreementTest.cpp)
target_link_libraries(unit_lint PRIVATE campaign_tools test_support GTest::gtest_main)
add_test(NAME unit_lint COMMAND unit_lint --gtest_filter=-OfferAgreement.*)
# The linter's findings and the module's checks over the same items.
add_test(NAME tools_offer_agreement COMMAND unit_lint --gtest_filter=OfferAgreement.*)
set_tests_properties(unit_lint tools_offer_agreement PROPERTIES LABELS tools)

# The demo's campaign for the tools' tests, under artifacts\ beside the test programs. Its URLs
# are https on a name of our choosing; the pictures are also kept under the module's names.
find_program(TOOLS_PYTHON NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)
find_program(TOOLS_PYTHON NAMES python3)
set(TOOLS_CAMPAIGN ${CMAKE_BINARY_DIR}/bin/artifacts/tools-campaign)
add_test(NAME tools_campaign
         COMMAND ${TOOLS_PYTHON} ${CMAKE_SOURCE_DIR}/tools/images/make_campaign.py --images ${TOOLS_CAMPAIGN}/images
                 --zvanta ${TOOLS_CAMPAIGN}/zvanta.json --tryno 5 --url-base https://cdn.example.com/campaign/)
set_tests_properties(tools_campaign PROPERTIES FIXTURES_SETUP tools_campaign LABELS tools)

add_executable(integration_lint integration/LintCommandTest.cpp)
target_link_libraries(integration_lint PRIVATE network_test_support activity_strategy GTest::gtest_main)
add_dependencies(integration_lint lint netvok)
foreach(case CleanItemExitsZeroSilently BrokenItemGivesOneLinePerFindingAndExitsOne ItemTextOnTheCommandLineAndNotJson
        CouldNotRunExitsTwo)
  add_test(NAME integration_lint_${case} COMMAND integration_lint --gtest_filter=*.${case})
  set_tests_properties(integration_lint_${case} PROPERTIES LABELS tools)
endforeach()
add_test(NAME integration_lint_fetch COMMAND integration_lint --gtest_filter=*.FetchChecksThePicturesTheServerGives)
set_tests_properties(integration_lint_fetch PROPERTIES LABELS tools FIXTURES_REQUIRED "tools_campaign;vipcenter_service"
                                                      ENVIRONMENT "${VIPCENTER_ENVIRONMENT}")

# The preview against the real pop-up under Xvfb.
add_executable(gui_preview gui/PreviewTest.cpp ${ACTIVITY_RESOURCES_RC})
target_link_libraries(gui_preview PRIVATE campaign_tools activity_popup network_test_support GTest::gtest_main)
add_dependencies(gui_preview preview netvok)
add_test(NAME gui_preview COMMAND gui_preview --gtest_filter=-*Sheet*:*Fetch*)
add_test(NAME gui_preview_fetch COMMAND gui_preview --gtest_filter=*Fetch*)
set_tests_properties(gui_preview_fetch PROPERTIES LABELS tools FIXTURES_REQUIRED "tools_campaign;vipcenter_service"
                                                  ENVIRONMENT "${VIPCENTER_ENVIRONMENT}")
add_test(NAME gui_preview_sheet COMMAND gui_preview --gtest_filter=*Sheet*)
set_tests_properties(gui_preview gui_preview_sheet PROPERTIES LABELS tools FIXTURES_REQUIRED tools_campaign TIMEOUT 600)

# The fleet simulator over populations worked out by hand.
add_executable(unit_simulate unit/SimulatorTest.cpp)
target_link_libraries(unit_simulate PRIVATE fleet_simulator GTest::gtest_main)
add_test(NAME unit_simulate COMMAND unit_simulate)
set_tests_properties(unit_simulate PROPERTIES LABELS tools)

# The simulator's funnel against the explainer of a real type-3 host in the same states.
add_executable(integration_simulate integration/SimulatorAgreementTest.cpp integration/StrategyHost.cpp)
target_link_libraries(integration_simulate PRIVATE fleet_simulator test_support GTest::gtest_main)
add_dependencies(integration_simulate hostfixture demohost pagesdkutil zvanta vipsdk tessiktallo vipsdktallo
                 strategyprobe)
add_test(NAME integration_simulate COMMAND integration_simulate)
set_tests_properties(integration_simulate PROPERTIES RESOURCE_LOCK host_registry LABELS tools)

# simulate.exe itself, as the script runs it: the examples compared over a small fleet.
set(SIMULATE_EXAMPLES "Z:${CMAKE_SOURCE_DIR}/tools/simulate/examples")
add_test(NAME tools_simulate_examples
         COMMAND simulate --config ${SIMULATE_EXAMPLES}/item.json --population ${SIMULATE_EXAMPLES}/population.json
                 --compare ${SIMULATE_EXAMPLES}/item-every-30-minutes.json --installs 3000 --days 5 --json)
set_tests_properties(tools_simulate_examples PROPERTIES LABELS tools
                     PASS_REGULAR_EXPRESSION "\"item\": \"item.json\".*\"item\": \"item-every-30-minutes.json\"")
