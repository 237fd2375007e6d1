# The start-up decision alone: arguments and environment in, action out.
gridlore_add_test(test_startaction SOURCES test_startaction.cpp
  LIBS gridlore_startaction LABELS install)

# The program as installed: cmake --install into a temporary prefix, then the
# files and the installed executable, run without a display.
gridlore_add_test(test_install SOURCES test_install.cpp
  LIBS gridlore_about gridlore_startaction LABELS install)
target_compile_definitions(test_install PRIVATE
  GRIDLORE_BUILD_DIR="${CMAKE_BINARY_DIR}"
  GRIDLORE_CMAKE="${CMAKE_COMMAND}"
  GRIDLORE_APP_ID="${GRIDLORE_APP_ID}"
  GRIDLORE_VERSION="${PROJECT_VERSION}")
add_dependencies(test_install gridlore gridlore_helppage gridlore_dist)

# The pattern file types installed for file managers.
add_test(NAME mimetypes
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/mimetypes.sh ${PROJECT_SOURCE_DIR}/dist/gridlore-mime.xml)
set_tests_properties(mimetypes PROPERTIES LABELS install)
