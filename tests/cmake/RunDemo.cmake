# Runs the README's demo command as a newcomer would and checks its exit code, the module's log
# and the remote-configuration journal. Run with -DDEMO_SCRIPT=... -DDEMO_ARCH=i686|x86_64
execute_process(COMMAND bash ${DEMO_SCRIPT} --arch ${DEMO_ARCH} --scene 0
                OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE result TIMEOUT 600)
message(STATUS "${output}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "demo exited with ${result}: ${errors}")
endif()
foreach(line "Initialize ActivityUtil start" "Initialize ActivityUtil finish" "show exit scene activity dlg start"
             "show exit scene activity dlg finish" "Uninitialize ActivityUtil start" "Uninitialize ActivityUtil finish")
  if(NOT output MATCHES "  DEBUG\\|ActivityUtil\\.cpp:[0-9]+\\] ${line}")
    message(FATAL_ERROR "the demo's log lacks the line: ${line}")
  endif()
endforeach()
if(NOT output MATCHES "demo: loaded [^\n]*pagesdkutil.dll \\(${DEMO_ARCH},")
  message(FATAL_ERROR "the demo did not load the ${DEMO_ARCH} module")
endif()
if(NOT output MATCHES "exit scene 0: shown=false")
  message(FATAL_ERROR "the demo did not report the exit scene")
endif()
if(NOT output MATCHES "\"call\":\"SetIdentity\",\"pid\":[0-9]+,\"slot\":\"9\",\"value\":\"com.qm.quillon\"")
  message(FATAL_ERROR "the demo's remote-configuration journal lacks the identity")
endif()
