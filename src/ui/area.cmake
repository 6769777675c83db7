# The new-user discount pop-up: its window, worker and picture refresh, over the strategy, the
# VIP state and the network.
add_library(activity_popup STATIC
  ${CMAKE_CURRENT_LIST_DIR}/NewUserDiscountPopDlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PopCountDown.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PopDlgServices.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PopImageDownloader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResourceWorker.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PopWorkerState.cpp
)
target_link_libraries(activity_popup PUBLIC activity_core activity_strategy activity_network)
target_link_libraries(pagesdkutil PRIVATE activity_popup)
