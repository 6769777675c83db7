# The new-user discount pop-up.
add_executable(gui_pop_dlg gui/PopDlgTest.cpp ${ACTIVITY_RESOURCES_RC})
target_link_libraries(gui_pop_dlg PRIVATE activity_popup test_support GTest::gtest_main oleacc)
add_test(NAME gui_pop_dlg COMMAND gui_pop_dlg --gtest_filter=-PopDlgPictures.*:PopDlgRepaint.*:PopDlgKeys.*)
set_tests_properties(gui_pop_dlg PROPERTIES LABELS popup)
# What a count-down tick repaints equals a full repaint.
add_test(NAME gui_pop_dlg_repaint COMMAND gui_pop_dlg --gtest_filter=PopDlgRepaint.*)
set_tests_properties(gui_pop_dlg_repaint PROPERTIES LABELS "perf;popup")
# Keys and accessibility clients on the pop-up: Esc, Alt+F4, Tab, Enter, Space, the accessible tree.
add_test(NAME gui_pop_dlg_keys COMMAND gui_pop_dlg --gtest_filter=PopDlgKeys.*)
set_tests_properties(gui_pop_dlg_keys PROPERTIES LABELS a11y)
# Pictures that match their URLs but cannot be drawn, and equal URLs: no window, result 4.
add_test(NAME gui_pop_dlg_pictures COMMAND gui_pop_dlg --gtest_filter=PopDlgPictures.*)
set_tests_properties(gui_pop_dlg_pictures PROPERTIES LABELS "popup;boundary")
# Storage pictures decoded once per file version, never while painting.
add_test(NAME unit_storage_pictures COMMAND unit_tests --gtest_filter=StoragePictures.*)
set_tests_properties(unit_storage_pictures PROPERTIES LABELS "uicore;boundary")

# The price row at each factor: one process per factor, as the factor is read once per process.
add_executable(gui_price_block gui/PriceBlockTest.cpp ${ACTIVITY_RESOURCES_RC})
target_link_libraries(gui_price_block PRIVATE activity_popup test_support GTest::gtest)
foreach(factor 1.0 1.2 1.5)
  add_test(NAME gui_price_block_${factor} COMMAND gui_price_block --factor ${factor})
  set_tests_properties(gui_price_block_${factor} PROPERTIES LABELS "popup;boundary")
endforeach()

add_executable(unit_popup unit/PopImageDownloaderTest.cpp)
target_link_libraries(unit_popup PRIVATE activity_popup test_support GTest::gtest_main)
add_test(NAME unit_popup COMMAND unit_popup)
set_tests_properties(unit_popup PROPERTIES LABELS popup)

# End to end in simulated hosts, with the local VIP-centre service of the network tests.
add_executable(integration_popup integration/PopupEndToEndTest.cpp integration/PopupLazinessTest.cpp
                                 integration/PopupHost.cpp)
target_link_libraries(integration_popup PRIVATE network_test_support GTest::gtest_main)
add_dependencies(integration_popup hostfixture demohost pagesdkutil)
foreach(case Type1ConfirmShowsTheServicePriceAndAccepts Type1CloseIsShownButNotAccepted
             Type2LoggedInConfirmOpensThePurchasePageOnly Type3LoggedOutConfirmOpensThePurchaseThenTheLoginPage
             Type3CountDownThatRunsOutClosesWithThree Type3HungHelperDoesNotHoldUninitialize
             Type3QaMachineSeesTheOfferWithoutRecords)
  add_test(NAME integration_popup_${case} COMMAND integration_popup --gtest_filter=PopupEndToEnd.${case})
  set_tests_properties(integration_popup_${case} PROPERTIES RESOURCE_LOCK host_registry LABELS popup
                       FIXTURES_REQUIRED vipcenter_service ENVIRONMENT "${VIPCENTER_ENVIRONMENT}")
endforeach()
set_tests_properties(integration_popup_Type3QaMachineSeesTheOfferWithoutRecords PROPERTIES LABELS "popup;strategy")
add_test(NAME integration_popup_OtherHosts COMMAND integration_popup --gtest_filter=Type/*)
set_tests_properties(integration_popup_OtherHosts PROPERTIES RESOURCE_LOCK host_registry LABELS popup
                     FIXTURES_REQUIRED vipcenter_service ENVIRONMENT "${VIPCENTER_ENVIRONMENT}")
# Nothing of the skin engine and no module thread left where the offer cannot show; the engine made
# before the first show where it can.
foreach(case ShownBeforeStartsNoEngineAndLeavesNoThread EngineIsSetUpBeforeTheFirstShow)
  add_test(NAME integration_popup_${case} COMMAND integration_popup --gtest_filter=PopupLaziness.${case})
  set_tests_properties(integration_popup_${case} PROPERTIES RESOURCE_LOCK host_registry LABELS "popup;perf"
                       FIXTURES_REQUIRED vipcenter_service ENVIRONMENT "${VIPCENTER_ENVIRONMENT}")
endforeach()

# The same hosts driven by the keyboard, and what a screen reader is told.
add_executable(integration_popup_keys integration/PopupKeysTest.cpp integration/PopupHost.cpp)
target_link_libraries(integration_popup_keys PRIVATE network_test_support GTest::gtest_main)
add_dependencies(integration_popup_keys hostfixture demohost pagesdkutil)
add_test(NAME integration_popup_keys COMMAND integration_popup_keys)
set_tests_properties(integration_popup_keys PROPERTIES RESOURCE_LOCK host_registry LABELS a11y
                     FIXTURES_REQUIRED vipcenter_service ENVIRONMENT "${VIPCENTER_ENVIRONMENT}")
