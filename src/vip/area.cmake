# The VIP area: the typed bundle, the VIP SDK core-interface wrapper, the Sheer-VIP IPC client,
# the per-host adapters and the process's VIP facade.
add_library(activity_vip STATIC
  ${CMAKE_CURRENT_LIST_DIR}/../utils/bundle/BundleSerial.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../utils/bundle/BundleStringItem.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../utils/bundle/BundleNestedItem.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../utils/bundle/BundleListItem.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../utils/bundle/ZBundle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AdapterAccessLock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CPDFNewVipSdkAdapter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CPDFOBVipSdkAdapter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CPDFWYVipSdkAdapter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CPDFVipSdkAdapter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VipAdapterStartUp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PDFVipSdkCoreInterfaceWrap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VipAdapterFactory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VipPageLauncher.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VipSdkLibrary.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VipUserInfoJson.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VipListenerSet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VipAdapterBase.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SheerIpcLibrary.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SheerVipIpcWrapper.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TessikPrivilegeStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Win32TessikVipHost.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CPDFTessikVipSdkAdapter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PDFFennickVipSdkAdapter.cpp
)
target_link_libraries(activity_vip PUBLIC activity_core ole32 oleaut32 shell32)
target_link_libraries(pagesdkutil PRIVATE activity_vip)
