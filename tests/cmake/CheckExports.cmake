# Checks a built module's PE tables: the one export under its bare name, and imports of system
# DLLs only (a static runtime). Run with -DOBJDUMP=... -DMODULE=...
execute_process(COMMAND ${OBJDUMP} -p ${MODULE} OUTPUT_VARIABLE dump RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${MODULE}")
endif()

# The name table: "[Ordinal/Name Pointer] Table" then one "[   N] name" line per export.
string(FIND "${dump}" "[Ordinal/Name Pointer] Table" table_start)
if(table_start LESS 0)
  message(FATAL_ERROR "${MODULE} has no export name table")
endif()
string(SUBSTRING "${dump}" ${table_start} -1 export_table)
string(REGEX MATCH "Table\n(\t\\[ *[0-9]+\\] [^\n]*\n)+" export_table "${export_table}")
string(REGEX MATCHALL "\\] [^\n]+" exports "${export_table}")
if(NOT exports STREQUAL "] DllGetClassObject")
  message(FATAL_ERROR "${MODULE}: expected the single export DllGetClassObject, found: ${exports}")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
foreach(import IN LISTS imports)
  string(REPLACE "DLL Name: " "" name "${import}")
  string(TOLOWER "${name}" name)
  if(NOT name MATCHES "^(kernel32|user32|gdi32|advapi32|msvcrt|shell32|ole32|oleaut32|version|comctl32|gdiplus|msimg32|shlwapi|uxtheme|dwmapi|winhttp|ws2_32|crypt32|bcrypt|api-ms-win-.*)\\.dll$")
    message(FATAL_ERROR "${MODULE} imports a non-system DLL: ${name}")
  endif()
endforeach()
message(STATUS "${MODULE}: exports ${exports}; imports ${imports}")
