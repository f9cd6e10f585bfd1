# Runs one scripted session of lx98 headless and checks its outcome against the "#!"
# lines of the script itself:
#   #! status N          exit status (default 0)
#   #! stdout REGEX      some part of standard output matches (the transcript: message
#                        boxes, shots); may be given several times
#   #! stderr REGEX      the same for standard error
#   #! args WORDS...     more command-line words for lx98; @DISC@ is the framework's
#                        demo disc, @DEMO@ the almanac's
#   #! file NAME         a file that must exist in the shots directory afterwards
#   #! holds NAME REGEX  that file exists and some part of it matches
#   #! user NAME TEXT    the user directory holds the file NAME with TEXT before the run
#   #! restart           the lines after it run as a second session of the program, on
#                        the same user directory, once the first has ended with status 0
# Called with -DLX98=<program> -DSCRIPT=<session file> -DWORK=<scratch directory>
# -DDISC=<the framework's demo disc> -DDEMO=<the almanac's demo disc, built by lxdisc>.

cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${WORK})
# The runtime directory ${WORK}/run is left to the program: it makes it private itself
# and passes over one that is not.
file(MAKE_DIRECTORY ${WORK}/user)
file(STRINGS ${SCRIPT} lines ENCODING UTF-8)

set(status 0)
set(stdout_patterns)
set(stderr_patterns)
set(files)
set(holds)
set(extra_args)
foreach(line IN LISTS lines)
  if(line MATCHES "^#! ([a-z]+) (.*)$")
    set(key ${CMAKE_MATCH_1})
    set(value ${CMAKE_MATCH_2})
    if(key STREQUAL "status")
      set(status ${value})
    elseif(key STREQUAL "stdout")
      list(APPEND stdout_patterns "${value}")
    elseif(key STREQUAL "stderr")
      list(APPEND stderr_patterns "${value}")
    elseif(key STREQUAL "args")
      string(REPLACE "@DISC@" "${DISC}" value "${value}")
      string(REPLACE "@DEMO@" "${DEMO}" value "${value}")
      separate_arguments(words UNIX_COMMAND "${value}")
      list(APPEND extra_args ${words})
    elseif(key STREQUAL "file")
      list(APPEND files "${value}")
    elseif(key STREQUAL "holds")
      list(APPEND holds "${value}")
    elseif(key STREQUAL "user")
      string(REGEX MATCH "^([^ ]+) (.*)$" parts "${value}")
      file(WRITE ${WORK}/user/${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
    else()
      message(FATAL_ERROR "${SCRIPT}: unknown expectation '#! ${key}'")
    endif()
  endif()
endforeach()

# A "#! restart" line splits the script into two runs of the program.
set(problems)
set(script ${SCRIPT})
file(READ ${SCRIPT} whole)
string(FIND "${whole}" "\n#! restart\n" split)
if(split GREATER -1)
  string(SUBSTRING "${whole}" 0 ${split} first)
  math(EXPR rest "${split} + 12")
  string(SUBSTRING "${whole}" ${rest} -1 second)
  file(WRITE ${WORK}/first.txt "${first}\n")
  file(WRITE ${WORK}/second.txt "${second}")
  execute_process(
    COMMAND ${LX98} --headless --script ${WORK}/first.txt --shots ${WORK}
            --user-dir ${WORK}/user ${extra_args}
    WORKING_DIRECTORY ${WORK}
    RESULT_VARIABLE first_result
    OUTPUT_VARIABLE first_out
    ERROR_VARIABLE first_err
    TIMEOUT 60)
  if(NOT first_result STREQUAL 0)
    list(APPEND problems "the run before the restart ended with ${first_result}:\n${first_out}${first_err}")
  endif()
  set(script ${WORK}/second.txt)
endif()

execute_process(
  COMMAND ${LX98} --headless --script ${script} --shots ${WORK} --user-dir ${WORK}/user
          ${extra_args}
  WORKING_DIRECTORY ${WORK}
  RESULT_VARIABLE result
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err
  TIMEOUT 60)

if(NOT result STREQUAL status)
  list(APPEND problems "exit status ${result}, expected ${status}")
endif()
foreach(pattern IN LISTS stdout_patterns)
  if(NOT out MATCHES "${pattern}")
    list(APPEND problems "standard output does not match '${pattern}'")
  endif()
endforeach()
foreach(pattern IN LISTS stderr_patterns)
  if(NOT err MATCHES "${pattern}")
    list(APPEND problems "standard error does not match '${pattern}'")
  endif()
endforeach()
foreach(name IN LISTS files)
  if(NOT EXISTS ${WORK}/${name})
    list(APPEND problems "no file ${name} was written")
  endif()
endforeach()
foreach(entry IN LISTS holds)
  string(REGEX MATCH "^([^ ]+) (.*)$" parts "${entry}")
  set(name ${CMAKE_MATCH_1})
  set(pattern "${CMAKE_MATCH_2}")
  if(NOT EXISTS ${WORK}/${name})
    list(APPEND problems "no file ${name} was written")
  else()
    file(READ ${WORK}/${name} contents)
    if(NOT contents MATCHES "${pattern}")
      list(APPEND problems "${name} does not match '${pattern}'")
    endif()
  endif()
endforeach()

if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "${SCRIPT}:\n  ${text}\n--- stdout:\n${out}--- stderr:\n${err}")
endif()
