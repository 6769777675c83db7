# The VIP SDK library stand-in: the root and both generations of the core interface, answering
# from "vipsdk.state.json" beside it and journaling every call to vipsdk.journal.jsonl.
add_library(vipsdk SHARED ${CMAKE_CURRENT_LIST_DIR}/VipSdkExports.cpp ${CMAKE_CURRENT_LIST_DIR}/VipSdkRoot.cpp
                          ${CMAKE_CURRENT_LIST_DIR}/VipSdkState.cpp ${CMAKE_CURRENT_LIST_DIR}/vipsdk.def)
set_target_properties(vipsdk PROPERTIES PREFIX "" OUTPUT_NAME wystanvipsdk)
target_link_libraries(vipsdk PRIVATE sibling_common sibling_dllmain oleaut32)
