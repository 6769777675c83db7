# The Tessik host's privilege store stand-ins: two libraries answering from the VIP state file.
add_library(vdprivcore SHARED ${CMAKE_CURRENT_LIST_DIR}/PrivilegeCoreExports.cpp
                              ${CMAKE_CURRENT_LIST_DIR}/PrivilegeList.cpp ${CMAKE_CURRENT_LIST_DIR}/vdprivcore.def)
set_target_properties(vdprivcore PROPERTIES PREFIX "" OUTPUT_NAME vdprivcore)
target_link_libraries(vdprivcore PRIVATE sibling_vipstate sibling_dllmain)
add_library(vdprivext SHARED ${CMAKE_CURRENT_LIST_DIR}/PrivilegeExtraExports.cpp
                             ${CMAKE_CURRENT_LIST_DIR}/PrivilegeList.cpp ${CMAKE_CURRENT_LIST_DIR}/vdprivext.def)
set_target_properties(vdprivext PROPERTIES PREFIX "" OUTPUT_NAME vdprivext)
target_link_libraries(vdprivext PRIVATE sibling_vipstate sibling_dllmain)
