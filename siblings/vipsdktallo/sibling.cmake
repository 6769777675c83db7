# A VIP SDK root with the reporting interfaces: journals records to vipsdktallo.journal.jsonl and
# hands the core interface on to the VIP SDK stand-in copied beside it as vipsdkcore.dll.
add_library(vipsdktallo SHARED ${CMAKE_CURRENT_LIST_DIR}/VipTalloExports.cpp ${CMAKE_CURRENT_LIST_DIR}/VipTalloRoot.cpp
                               ${CMAKE_CURRENT_LIST_DIR}/VipTalloInterface.cpp
                               ${CMAKE_CURRENT_LIST_DIR}/../tallo/TalloRecordDraft.cpp
                               ${CMAKE_CURRENT_LIST_DIR}/vipsdktallo.def)
set_target_properties(vipsdktallo PROPERTIES PREFIX "" OUTPUT_NAME vipsdktallo)
target_link_libraries(vipsdktallo PRIVATE sibling_common sibling_dllmain)
