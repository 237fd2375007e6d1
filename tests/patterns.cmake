# The pattern file formats: the program's own and the standard Life ones.
gridlore_add_test(test_patternfile SOURCES test_patternfile.cpp patterns/patterntesting.h
  LIBS gridlore_patterns LABELS "patterns;valgrind")
gridlore_add_test(test_foreignpatterns SOURCES test_foreignpatterns.cpp patterns/patterntesting.h
  LIBS gridlore_patterns LABELS "patterns;valgrind")
target_compile_definitions(test_foreignpatterns PRIVATE
  GRIDLORE_SAMPLE_PATTERNS="${CMAKE_CURRENT_SOURCE_DIR}/patterns")
gridlore_add_test(test_lifeformats SOURCES test_lifeformats.cpp patterns/patterntesting.h
  LIBS gridlore_patterns LABELS "patterns;valgrind")
# Every file of the bundled collection, as the build tree holds it beside the program.
gridlore_add_test(test_collection SOURCES test_collection.cpp patterns/patterntesting.h
  LIBS gridlore_mainwindow LABELS patterns)
add_dependencies(test_collection gridlore_collection)
