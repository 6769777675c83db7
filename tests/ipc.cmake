# The VIP state over IPC and the browser account: the IPC library stand-in's transport, the
# Sheer-VIP client, the Tessik and Fennick adapters (unit), and hosts of types 1 and 7 with the VIP
# service, privilege store and account library stand-ins (integration). Label: ipc.
add_executable(unit_ipc
  ${CMAKE_CURRENT_LIST_DIR}/unit/IpcTestSupport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/IpcTestService.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/IpcRawPipeServer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/IpcTransportTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/IpcWrapperTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/TessikAdapterTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/FennickAdapterTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/IpcLibraryTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/IpcBoundaryTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/unit/VipServiceBoundaryTest.cpp
)
target_link_libraries(unit_ipc PRIVATE activity_vip test_support GTest::gtest_main)
add_dependencies(unit_ipc tandipc tessikvipsvc vdprivcore vdprivext fkaccount vippage)
foreach(group IpcTransport IpcPeer IpcWrapper Tessik Fennick)
  add_test(NAME unit_ipc_${group} COMMAND unit_ipc --gtest_filter=${group}*)
  set_tests_properties(unit_ipc_${group} PROPERTIES LABELS ipc TIMEOUT 120)
endforeach()
# The IPC library stand-in refusing what breaks its transport.
add_test(NAME unit_ipc_boundary COMMAND unit_ipc --gtest_filter=IpcBoundary.*)
set_tests_properties(unit_ipc_boundary PROPERTIES LABELS "ipc;boundary" TIMEOUT 120)
# The VIP service stand-in refusing what the module may not send; it holds the service's channel.
add_test(NAME unit_ipc_vipservice_boundary COMMAND unit_ipc --gtest_filter=VipServiceBoundary.*)
set_tests_properties(unit_ipc_vipservice_boundary PROPERTIES LABELS "ipc;boundary" TIMEOUT 180
                                                             RESOURCE_LOCK host_registry)
# Alone in its process: nothing else may have loaded the IPC library.
add_test(NAME unit_ipc_IpcLibrary COMMAND unit_ipc --gtest_filter=IpcLibrary.*)
set_tests_properties(unit_ipc_IpcLibrary PROPERTIES LABELS "ipc;boundary" TIMEOUT 120)

add_executable(ipcprobe ${CMAKE_CURRENT_LIST_DIR}/integration/helpers/IpcProbe.cpp)
target_link_libraries(ipcprobe PRIVATE activity_vip activity_core)
target_link_options(ipcprobe PRIVATE -municode)

add_executable(integration_ipc ${CMAKE_CURRENT_LIST_DIR}/integration/IpcHostTest.cpp
                               ${CMAKE_CURRENT_LIST_DIR}/integration/IpcHost.cpp)
target_link_libraries(integration_ipc PRIVATE test_support GTest::gtest_main)
add_dependencies(integration_ipc hostfixture ipcprobe tandipc tessikvipsvc vdprivcore vdprivext fkaccount vippage
                 quillhelper)
foreach(case Type1Users Type1PrivilegeByNeither Type1Pages Type1Notification Type1TwoProcesses Type1NoService
             Type7Users Type7Notification)
  add_test(NAME integration_ipc_${case} COMMAND integration_ipc --gtest_filter=IpcHost.${case}*)
  set_tests_properties(integration_ipc_${case} PROPERTIES RESOURCE_LOCK host_registry LABELS ipc TIMEOUT 180)
endforeach()
