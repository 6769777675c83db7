# The new-user discount strategy and the report adapters it sends its records through.
add_library(activity_strategy STATIC
  ${CMAKE_CURRENT_LIST_DIR}/../report/CPDFOBVipSdkTalloAdapter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../report/CPDFTessikTalloAdapter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../report/TalloAdapterHolder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../report/TalloHostFacts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../report/TalloRecordSender.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../report/ZTalloNoZfmtFileWrap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AvoidTidsMatcher.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InstallTimeSource.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IPopStrategyWorld.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NewUserDiscountPopStrategy.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PopExplainer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PopGateCatalog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PopImageChecker.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PopLocalState.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PopShownMemory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QaMachineList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TalloPopReporter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32PopStrategyWorld.cpp
)
target_link_libraries(activity_strategy PUBLIC activity_core activity_vip activity_network)
target_link_libraries(pagesdkutil PRIVATE activity_strategy)
