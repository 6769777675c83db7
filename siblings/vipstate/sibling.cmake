# The account state file shared by the VIP stand-ins of host types 1 and 7.
add_library(sibling_vipstate STATIC ${CMAKE_CURRENT_LIST_DIR}/VipStateFile.cpp)
target_link_libraries(sibling_vipstate PUBLIC sibling_common)
