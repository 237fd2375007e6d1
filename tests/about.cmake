gridlore_add_test(test_about SOURCES test_about.cpp LIBS gridlore_mainwindow LABELS about)
