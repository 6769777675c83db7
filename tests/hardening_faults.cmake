# Faults from outside in simulated hosts (stand-ins missing or failing, the VIP-centre service
# answering badly, the module's state folder read-only or its state file corrupt, the clock set
# back), and many sessions in one process with the process's counts watched. Label: hardening.
add_executable(hardening_faults
  ${CMAKE_CURRENT_LIST_DIR}/hardening/FaultHost.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hardening/FaultSiblingTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hardening/FaultServiceTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hardening/FaultStateTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hardening/CycleCurve.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hardening/CycleTest.cpp
)
target_include_directories(hardening_faults PRIVATE ${CMAKE_CURRENT_LIST_DIR}/hardening)
target_link_libraries(hardening_faults PRIVATE network_test_support GTest::gtest_main)
add_dependencies(hardening_faults hostfixture demohost pagesdkutil zvanta netvok wexutil quillhelper vippage tessiktallo
                 vipsdk vipsdktallo tandipc tessikvipsvc vdprivcore vdprivext)

# This file comes before network.cmake: the service's folder is named here the same way.
string(REPLACE "/" "\\" FAULTS_VIPCENTER_STATE "Z:${CMAKE_BINARY_DIR}/vipcenter")
string(REPLACE "/" "\\" FAULTS_VIPCENTER_CERTS "Z:${CMAKE_SOURCE_DIR}/tools/vipcenter/certs")
set(FAULTS_ENVIRONMENT "VIPCENTER_STATE_DIR=${FAULTS_VIPCENTER_STATE};VIPCENTER_CERT_DIR=${FAULTS_VIPCENTER_CERTS}")

foreach(group FaultSiblingsMissing FaultSiblings FaultVipService FaultVipServiceDown FaultVipServiceSlow FaultService FaultState Cycles)
  add_test(NAME hardening_${group} COMMAND hardening_faults --gtest_filter=*${group}.*)
  set_tests_properties(hardening_${group} PROPERTIES LABELS hardening RESOURCE_LOCK host_registry TIMEOUT 600
                       FIXTURES_REQUIRED vipcenter_service ENVIRONMENT "${FAULTS_ENVIRONMENT}")
endforeach()
# The cycles also ask for the pop-up's accessible tree every session.
set_tests_properties(hardening_Cycles PROPERTIES LABELS "hardening;a11y")

# Host type 1 freeing the module between sessions while its VIP service keeps notifying.
add_test(NAME hardening_IpcReload COMMAND hardening_faults --gtest_filter=IpcReload.*)
set_tests_properties(hardening_IpcReload PROPERTIES LABELS "hardening;boundary" RESOURCE_LOCK host_registry TIMEOUT 600
                     FIXTURES_REQUIRED vipcenter_service ENVIRONMENT "${FAULTS_ENVIRONMENT}")
