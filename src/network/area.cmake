# The HTTP client over the family's network library and the VIP-centre requests built on it.
add_library(activity_network STATIC
  ${CMAKE_CURRENT_LIST_DIR}/NetvokLibrary.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZTessikNetvok.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../vipCenterInfo/OrbilantVipCenterInfoRequester.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../vipCenterInfo/TessikVipCenterInfoRequester.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../vipCenterInfo/VipCenterContext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../vipCenterInfo/VipCenterInfoManager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../vipCenterInfo/VipCenterInfoRequester.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../vipCenterInfo/VipCenterUserSource.cpp
)
target_link_libraries(activity_network PUBLIC activity_core)
target_link_libraries(pagesdkutil PRIVATE activity_network)
