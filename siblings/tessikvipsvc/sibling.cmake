# The Tessik VIP service stand-in: serves "ISheerVipIpc" over the IPC library beside it from
# the VIP state file, and notifies the registered channels when that file changes.
add_executable(tessikvipsvc ${CMAKE_CURRENT_LIST_DIR}/VipServiceMain.cpp ${CMAKE_CURRENT_LIST_DIR}/VipService.cpp
                            ${CMAKE_CURRENT_LIST_DIR}/VipServiceState.cpp
                            ${CMAKE_CURRENT_LIST_DIR}/VipRequestCheck.cpp)
target_link_libraries(tessikvipsvc PRIVATE sibling_vipstate activity_vip)
target_link_options(tessikvipsvc PRIVATE -municode)
add_dependencies(tessikvipsvc tandipc)
