# Run by `cmake --install` (and so by CPack) after the Windows programs are
# installed and stripped: with a signing certificate named in the
# environment (CORVANE_SIGN_CERT, CORVANE_SIGN_KEY), packaging/windows/sign.sh
# signs every installed .exe and .scr in place. Without one it does nothing.
# A failed signing removes the programs and fails the installation, so that
# nothing unsigned is packaged where a signed program was asked for.
if(NOT DEFINED ENV{CORVANE_SIGN_CERT} AND NOT DEFINED ENV{CORVANE_SIGN_KEY})
  return()
endif()
set(installed "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
file(GLOB programs "${installed}/*.exe" "${installed}/*.scr")
execute_process(COMMAND sh "${CMAKE_CURRENT_LIST_DIR}/../../packaging/windows/sign.sh" ${programs}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(REMOVE ${programs})
  message(FATAL_ERROR "The programs in ${installed} could not be signed: not installing them unsigned")
endif()
