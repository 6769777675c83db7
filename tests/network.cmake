# The HTTP client, the network library stand-in and the VIP-centre requests (label "network").
#
# The local VIP-centre service runs on the Linux side: a ctest fixture starts it before the
# tests that need it and stops it afterwards. The Windows tests find it through
# VIPCENTER_STATE_DIR (state.json holds its ports, requests.jsonl what it received), a Wine
# path to the same folder.
find_program(VIPCENTER_PYTHON NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)
find_program(VIPCENTER_PYTHON NAMES python3)
set(VIPCENTER_DIR ${CMAKE_SOURCE_DIR}/tools/vipcenter)
set(VIPCENTER_STATE ${CMAKE_BINARY_DIR}/vipcenter)
string(REPLACE "/" "\\" VIPCENTER_STATE_WINE "Z:${VIPCENTER_STATE}")
string(REPLACE "/" "\\" VIPCENTER_CERTS_WINE "Z:${VIPCENTER_DIR}/certs")
set(VIPCENTER_ENVIRONMENT "VIPCENTER_STATE_DIR=${VIPCENTER_STATE_WINE};VIPCENTER_CERT_DIR=${VIPCENTER_CERTS_WINE}")

add_test(NAME network_service_start
         COMMAND ${VIPCENTER_PYTHON} ${VIPCENTER_DIR}/vipcenter.py start --state-dir ${VIPCENTER_STATE}
                 --files ${VIPCENTER_STATE}/files --cert ${VIPCENTER_DIR}/certs/server.pem
                 --key ${VIPCENTER_DIR}/certs/server.key)
add_test(NAME network_service_stop
         COMMAND ${VIPCENTER_PYTHON} ${VIPCENTER_DIR}/vipcenter.py stop --state-dir ${VIPCENTER_STATE})
set_tests_properties(network_service_start PROPERTIES FIXTURES_SETUP vipcenter_service LABELS network)
set_tests_properties(network_service_stop PROPERTIES FIXTURES_CLEANUP vipcenter_service LABELS network)
# The service answers a config or price request that breaks the module's contract with 400 and
# journals it; network_service_stop then fails. The service's own test starts its own instance.
add_test(NAME tools_vipcenter_contract COMMAND ${VIPCENTER_PYTHON} ${VIPCENTER_DIR}/vipcenter_test.py)
set_tests_properties(tools_vipcenter_contract PROPERTIES LABELS "network;boundary")

add_library(network_test_support STATIC integration/HttpTestProduct.cpp integration/VipCenterService.cpp
                                        integration/VipCenterLog.cpp integration/VipCenterTestHost.cpp)
target_link_libraries(network_test_support PUBLIC test_support activity_network)
target_include_directories(network_test_support PUBLIC integration)

add_executable(unit_network unit/VipCenterParseTest.cpp)
target_link_libraries(unit_network PRIVATE network_test_support GTest::gtest_main)
add_test(NAME unit_network COMMAND unit_network --gtest_filter=-Boundary*)
add_test(NAME unit_network_boundary COMMAND unit_network --gtest_filter=Boundary*)
set_tests_properties(unit_network PROPERTIES LABELS network)
set_tests_properties(unit_network_boundary PROPERTIES LABELS "network;boundary")

# One ctest entry per case: each is a scenario of its own process.
function(network_cases program)
  foreach(case IN LISTS ARGN)
    add_test(NAME ${program}_${case} COMMAND ${program} --gtest_filter=*.${case})
    set_tests_properties(${program}_${case} PROPERTIES LABELS network FIXTURES_REQUIRED vipcenter_service
                                                       ENVIRONMENT "${VIPCENTER_ENVIRONMENT}")
  endforeach()
endfunction()

add_executable(integration_netvok_client integration/NetvokClientTest.cpp)
target_link_libraries(integration_netvok_client PRIVATE network_test_support GTest::gtest_main)
add_dependencies(integration_netvok_client netvok wexutil)
network_cases(integration_netvok_client MissingLibraryFailsEveryCallAtOnce MissingRequestOrResponseObjects
              DefaultHeadersUnlessTheCallerSetsThemInAnyCase UserAgentOfTheCallerIgnoringCase
              OnlyAnExactHttpsPrefixGetsTheBundle ServerOutsideTheBundleGetsNoBody
              DownloadDecidesOnHttpsBeforeTheTransferRequestAfterIt FailedDownloadLeavesNoFile
              ProgressReachesTheListenerAndCanCancel)
network_cases(integration_netvok_client HttpsWithoutTlsSettingsIsNotSent
              LoneBackslashFolderLoadsNothingFromTheDriveRoot)
set_tests_properties(integration_netvok_client_HttpsWithoutTlsSettingsIsNotSent
                     integration_netvok_client_LoneBackslashFolderLoadsNothingFromTheDriveRoot
                     PROPERTIES LABELS "network;boundary")

add_executable(integration_vipcenter_requests integration/VipCenterRequestTest.cpp)
target_link_libraries(integration_vipcenter_requests PRIVATE network_test_support GTest::gtest_main)
add_dependencies(integration_vipcenter_requests netvok wexutil)
network_cases(integration_vipcenter_requests TessikCouponPriceAndTheBodiesSent
              OrbilantCouponPriceSignedHeadersAndBodies NegativeMonthSendsNothingMonthZeroStopsAfterTheShowIds
              WithoutCouponBothPricesAreTheNormalOne FailingCouponLookupKeepsTheNormalPrice ShowIdFailures
              PriceEntryShapes MissingServerListSendsTrynoMinusOne InvalidJsonFromTheConfigInterface)

add_executable(integration_http_hostile integration/HttpHostileResponseTest.cpp)
target_link_libraries(integration_http_hostile PRIVATE network_test_support GTest::gtest_main)
add_dependencies(integration_http_hostile netvok wexutil)
network_cases(integration_http_hostile HugeBodiesAreRefused ResponseThatNeverEndsTimesOut BrokenAndClosedConnections
              InvalidUtf8IsReplacedNotTrusted NothingListeningOnThePort)
# The client's time-out is a fixed 30 seconds.
set_tests_properties(integration_http_hostile_ResponseThatNeverEndsTimesOut PROPERTIES TIMEOUT 120)

add_executable(vipcenterquery integration/helpers/VipCenterQuery.cpp)
target_link_libraries(vipcenterquery PRIVATE activity_network)
target_link_options(vipcenterquery PRIVATE -municode)

add_executable(integration_vipcenter_host integration/VipCenterHostTest.cpp)
target_link_libraries(integration_vipcenter_host PRIVATE network_test_support GTest::gtest_main)
add_dependencies(integration_vipcenter_host hostfixture demohost pagesdkutil wexutil zvanta quillhelper vippage
                 netvok vipcenterquery)
network_cases(integration_vipcenter_host Type1Coupon Type2Coupon Type1NoCoupon Type2NoCoupon Type3HasNoRequester)
foreach(case Type1Coupon Type2Coupon Type1NoCoupon Type2NoCoupon Type3HasNoRequester)
  set_tests_properties(integration_vipcenter_host_${case} PROPERTIES RESOURCE_LOCK host_registry)
endforeach()

# The endpoints and the key stay scrambled in what is built (the helper links every requester).
add_test(NAME network_no_plain_endpoints
         COMMAND ${CMAKE_COMMAND} -DBINARY=$<TARGET_FILE:vipcenterquery> -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/VipCenterPlainText.cmake)
set_tests_properties(network_no_plain_endpoints PROPERTIES LABELS "network;static")

# The network library stand-in alone against two HTTPS servers, one outside the bundle: each hop
# checked before it is sent anything, and the download limit.
set(TLSHOPS_DIR ${CMAKE_CURRENT_SOURCE_DIR}/fixtures/tlshops)
set(TLSHOPS_STATE ${CMAKE_BINARY_DIR}/tlshops)
string(REPLACE "/" "\\" TLSHOPS_STATE_WINE "Z:${TLSHOPS_STATE}")
string(REPLACE "/" "\\" TLSHOPS_CA_WINE "Z:${VIPCENTER_DIR}/certs/ca.pem")
add_test(NAME network_hops_start COMMAND ${VIPCENTER_PYTHON} ${TLSHOPS_DIR}/hopserver.py start --state-dir ${TLSHOPS_STATE})
add_test(NAME network_hops_stop COMMAND ${VIPCENTER_PYTHON} ${TLSHOPS_DIR}/hopserver.py stop --state-dir ${TLSHOPS_STATE})
set_tests_properties(network_hops_start PROPERTIES FIXTURES_SETUP tlshops LABELS "network;boundary")
set_tests_properties(network_hops_stop PROPERTIES FIXTURES_CLEANUP tlshops LABELS "network;boundary")
add_executable(integration_netvok_hops integration/NetvokHopsTest.cpp)
target_link_libraries(integration_netvok_hops PRIVATE test_support GTest::gtest_main)
target_include_directories(integration_netvok_hops PRIVATE ${CMAKE_SOURCE_DIR}/include)
add_dependencies(integration_netvok_hops netvok)
add_test(NAME integration_netvok_hops COMMAND integration_netvok_hops)
set_tests_properties(integration_netvok_hops PROPERTIES LABELS "network;boundary" FIXTURES_REQUIRED tlshops
                     ENVIRONMENT "TLSHOPS_STATE_DIR=${TLSHOPS_STATE_WINE};TLSHOPS_CA=${TLSHOPS_CA_WINE}")
