# The help viewer over a scripted pane: every rule of the window, no engine.
gridlore_add_test(test_form5 SOURCES test_form5.cpp fakebrowserpane.h
  LIBS gridlore_helpviewer LABELS helpviewer)

# The viewer over the real engine, on the help pages the build puts in
# share/gridlore, offscreen and without a network.
gridlore_add_test(test_helpviewer_webengine SOURCES test_helpviewer_webengine.cpp
  LIBS gridlore_helpviewer gridlore_mainwindow LABELS "helpviewer;webengine")
add_dependencies(test_helpviewer_webengine gridlore_helppage)
# Run as root, the program itself turns Chromium's sandbox off (see
# platform/webengineruntime.cpp); containers often lack the namespaces the
# sandbox needs for other users too, and these tests load only our own pages.
set_property(TEST test_helpviewer_webengine APPEND PROPERTY ENVIRONMENT
  "QTWEBENGINE_DISABLE_SANDBOX=1")
