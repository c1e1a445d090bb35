# Makes an empty Firebird database (UTF8, asynchronous writes) at OUT with ISQL and, when given, GFIX.
# Test fixtures copy it instead of creating a database each time; forced writes would make every commit
# of their DDL and rows wait for the disk.
file(REMOVE "${OUT}")
set(script "${OUT}.sql")
file(WRITE "${script}" "CREATE DATABASE '${OUT}' USER 'SYSDBA' PASSWORD 'masterkey' DEFAULT CHARACTER SET UTF8;\n")
execute_process(COMMAND "${ISQL}" -q -i "${script}" RESULT_VARIABLE rc ERROR_VARIABLE err)
file(REMOVE "${script}")
if(NOT rc EQUAL 0 OR NOT EXISTS "${OUT}")
  message(FATAL_ERROR "isql could not create ${OUT}: ${err}")
endif()
if(GFIX)
  execute_process(COMMAND "${GFIX}" -write async "${OUT}" -user SYSDBA RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "gfix could not switch ${OUT} to asynchronous writes: ${err}")
  endif()
endif()
