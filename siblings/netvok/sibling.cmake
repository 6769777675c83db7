# The network library stand-in: HTTP and HTTPS over WinHTTP, journalled.
add_library(netvok SHARED
  ${CMAKE_CURRENT_LIST_DIR}/NetvokExports.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NetvokFactory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NetvokRequest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NetvokFileSink.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinHttpExchange.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CaBundle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TlsProbe.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RedirectTarget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/netvok.def
)
set_target_properties(netvok PROPERTIES PREFIX "")
target_link_libraries(netvok PRIVATE sibling_common sibling_dllmain winhttp crypt32 secur32 ws2_32)
