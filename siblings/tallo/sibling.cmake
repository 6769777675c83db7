# The Tessik host's reporting client stand-in: journals each record to tessiktallo.journal.jsonl.
add_library(tessiktallo SHARED ${CMAKE_CURRENT_LIST_DIR}/TalloExports.cpp ${CMAKE_CURRENT_LIST_DIR}/TalloClient.cpp
                               ${CMAKE_CURRENT_LIST_DIR}/TalloRecordDraft.cpp ${CMAKE_CURRENT_LIST_DIR}/tessiktallo.def)
set_target_properties(tessiktallo PROPERTIES PREFIX "" OUTPUT_NAME tessiktallo)
target_link_libraries(tessiktallo PRIVATE sibling_common sibling_dllmain)
