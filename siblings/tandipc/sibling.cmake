# The IPC library stand-in: a class factory for bundles, clients and servers that talk over one
# message-mode named pipe per channel.
add_library(tandipc SHARED ${CMAKE_CURRENT_LIST_DIR}/TandIpcExports.cpp ${CMAKE_CURRENT_LIST_DIR}/TandIpcClient.cpp
                           ${CMAKE_CURRENT_LIST_DIR}/TandIpcServer.cpp ${CMAKE_CURRENT_LIST_DIR}/ChannelListener.cpp
                           ${CMAKE_CURRENT_LIST_DIR}/FunctionTable.cpp ${CMAKE_CURRENT_LIST_DIR}/PipeIo.cpp
                           ${CMAKE_CURRENT_LIST_DIR}/TandIpcWire.cpp ${CMAKE_CURRENT_LIST_DIR}/tandipc.def)
set_target_properties(tandipc PROPERTIES PREFIX "" OUTPUT_NAME tandipc)
target_link_libraries(tandipc PRIVATE sibling_bundle sibling_common sibling_dllmain)
