# Hostile input at volume: seeded, generated inputs for every parser that reads outside input, in
# one process per family. The ctest entries are the short pass; scripts/bench.sh --fuzz runs the
# long one. Label: hardening.
add_executable(hardening_fuzz
  ${CMAKE_CURRENT_LIST_DIR}/hardening/HardeningFuzz.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hardening/FuzzDriver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hardening/FuzzMutator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hardening/FuzzText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hardening/KnownFaults.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hardening/IniReference.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hardening/IniFuzzTarget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hardening/JsonFuzzTarget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hardening/BundleReference.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hardening/BundleFuzzTarget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hardening/XmlFuzzTarget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hardening/AttributeFuzzTarget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hardening/VipCenterFuzzTarget.cpp
  ${ACTIVITY_RESOURCES_RC}
)
target_include_directories(hardening_fuzz PRIVATE ${CMAKE_CURRENT_LIST_DIR}/hardening)
target_link_libraries(hardening_fuzz PRIVATE activity_core activity_vip activity_network test_support tinyxml2)

foreach(family ini json bundle xml attributes vipcenter)
  add_test(NAME hardening_${family} COMMAND hardening_fuzz --family ${family} --count 5000)
  # Refused documents log a line each (to log\ beside the program): the short pass stays small.
  set_tests_properties(hardening_${family} PROPERTIES LABELS hardening TIMEOUT 300)
endforeach()
