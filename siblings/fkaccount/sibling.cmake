# The Fennick browser's account library stand-in: the account from the VIP state file, observers
# told when it changes.
add_library(fkaccount SHARED ${CMAKE_CURRENT_LIST_DIR}/FkAccountExports.cpp ${CMAKE_CURRENT_LIST_DIR}/FkAccountObject.cpp
                             ${CMAKE_CURRENT_LIST_DIR}/fkaccount.def)
set_target_properties(fkaccount PROPERTIES PREFIX "" OUTPUT_NAME fkaccount)
target_link_libraries(fkaccount PRIVATE sibling_vipstate sibling_dllmain)
