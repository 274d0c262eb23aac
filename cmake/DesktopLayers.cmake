# The desktop program's layers, one library each, every one depending only on
# those below it: qlnwidgets (widgets and helpers the screens share) on the
# core; qlnscreens (the data-entry screens) on qlnwidgets; qlnapp (the main
# window, the document and the program's dialogs) on qlnscreens and the export.

find_package(Qt6 REQUIRED COMPONENTS Widgets Network PrintSupport)
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTOUIC ON)
set(CMAKE_AUTORCC ON)

# The Qt headers nearly every window includes, parsed once per library.
set(QLN_QT_PRECOMPILED
  <QAction> <QApplication> <QCheckBox> <QComboBox> <QDialog> <QDir> <QFile> <QFileInfo> <QGridLayout>
  <QHBoxLayout> <QKeyEvent> <QLabel> <QLineEdit> <QListWidget> <QMainWindow> <QMessageBox> <QPainter>
  <QPlainTextEdit> <QPushButton> <QString> <QStringList> <QTableWidget> <QTimer> <QVBoxLayout> <QWidget>
  <memory> <string> <vector>)

# Links a program of the whole of `layer` and only the libraries given below
# it: a file of the layer that uses anything above fails the build.
function(qln_check_layer layer)
  add_executable(${layer}_layer_check ${CMAKE_SOURCE_DIR}/cmake/LayerCheck.cpp)
  target_link_libraries(${layer}_layer_check PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${layer}>" ${ARGN})
  set_target_properties(${layer}_layer_check PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
endfunction()
