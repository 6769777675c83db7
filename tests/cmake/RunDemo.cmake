# Runs the README's demo command as a newcomer would (host type 1, the local VIP-centre service,
# confirm clicked) and checks its summary, the module's log, the records and the screenshot.
# Run with -DDEMO_SCRIPT=... -DDEMO_ARCH=i686|x86_64 [-DDEMO_HOST_TYPE=N]
if(NOT DEMO_HOST_TYPE)
  set(DEMO_HOST_TYPE 1)
endif()
execute_process(COMMAND bash ${DEMO_SCRIPT} --arch ${DEMO_ARCH} --host-type ${DEMO_HOST_TYPE}
                OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE result TIMEOUT 600)
message(STATUS "${output}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "demo exited with ${result}: ${errors}")
endif()
foreach(line "Initialize ActivityUtil finish" "NewUserDiscount update resource success"
             "Found price info for month_length 12: current_price=79" "show pop dlg ret is 1"
             "Uninitialize ActivityUtil finish")
  if(NOT output MATCHES "\\|[A-Za-z]+\\.cpp:[0-9]+\\] [^\n]*${line}")
    message(FATAL_ERROR "the demo's log lacks the line: ${line}")
  endif()
endforeach()
if(NOT output MATCHES "demo: loaded [^\n]*pagesdkutil.dll \\(${DEMO_ARCH},")
  message(FATAL_ERROR "the demo did not load the ${DEMO_ARCH} module")
endif()
# The show, the click on confirm and the purchase record, in the host's reporting client.
foreach(fields "adshow:byte=1 adclick:byte=0" "adshow:byte=1 adclick:byte=2" "click:int=999 usertype:int=")
  if(NOT output MATCHES "\"component\":\"tessiktallo\",\"call\":\"record\"[^\n]*\"fields\":\"[^\"]*${fields}")
    message(FATAL_ERROR "the demo's reporting journal lacks the record with ${fields}")
  endif()
endforeach()
# The pictures came from the service, not from the disk.
if(NOT output MATCHES "download img ret is 0")
  message(FATAL_ERROR "the demo did not download the campaign's pictures")
endif()
string(REGEX MATCH "result [^\n]*screenshot [^\n]*" summary "${output}")
if(NOT summary STREQUAL "result 1, out-flag false, records 3, screenshot build/demo-popup.png")
  message(FATAL_ERROR "unexpected summary: ${summary}")
endif()
get_filename_component(repo "${DEMO_SCRIPT}" DIRECTORY)
file(READ "${repo}/../build/demo-popup.png" signature LIMIT 8 HEX)
if(NOT signature STREQUAL "89504e470d0a1a0a")
  message(FATAL_ERROR "build/demo-popup.png is not a PNG file")
endif()
