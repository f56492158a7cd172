# One precompiled header of the Qt and standard headers most of our files read, made once per
# build folder by vornhelm_pch and reused by every library and program, the tests included.
# A precompiled header serves only compiles with the flags it was made with (-g, -fPIC, the
# sanitizers), which add_compile_options gives every target alike; a compile that cannot use
# it warns (-Winvalid-pch) and reads the headers instead. GoogleTest stays out: its macros
# differ between the tests and the rest.
# -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON builds without it, which shows a missing #include.

set(VORNHELM_PCH_HEADERS
    <QApplication> <QByteArray> <QCheckBox> <QColor> <QComboBox> <QCoreApplication> <QDir>
    <QElapsedTimer> <QEvent> <QEventLoop> <QFile> <QFileInfo> <QFont> <QGroupBox> <QHBoxLayout>
    <QHash> <QImage> <QKeyEvent> <QLabel> <QLineEdit> <QListWidget> <QMetaObject> <QMouseEvent>
    <QPainter> <QPainterPath> <QPointer> <QPushButton> <QRadioButton> <QRect> <QScrollBar>
    <QSettings> <QSet> <QString> <QStringList> <QTableWidget> <QTemporaryDir> <QTextBrowser>
    <QTextStream> <QTimer> <QUrl> <QVBoxLayout> <QWidget>
    <algorithm> <array> <cmath> <cstdint> <deque> <functional> <map> <memory> <optional> <set>
    <stdexcept> <string> <vector>)

# A library of one empty file whose work is to make the precompiled header.
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/vornhelm_pch.cpp CONTENT "// The precompiled header's own unit.\n")
add_library(vornhelm_pch STATIC ${CMAKE_BINARY_DIR}/vornhelm_pch.cpp)
target_link_libraries(vornhelm_pch PRIVATE Qt6::Core Qt6::Gui Qt6::Widgets Qt6::Multimedia Qt6::Network)
target_precompile_headers(vornhelm_pch PRIVATE ${VORNHELM_PCH_HEADERS})

# Gives every library and program in `dir` and below that has no precompiled header of its own
# the shared one. Called once all targets are defined.
function(vornhelm_reuse_pch dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(t IN LISTS targets)
    get_target_property(type ${t} TYPE)
    get_target_property(own ${t} PRECOMPILE_HEADERS)
    get_target_property(reused ${t} PRECOMPILE_HEADERS_REUSE_FROM)
    if(type MATCHES "^(STATIC_LIBRARY|EXECUTABLE)$" AND NOT own AND NOT reused)
      target_precompile_headers(${t} REUSE_FROM vornhelm_pch)
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(d IN LISTS subdirs)
    vornhelm_reuse_pch(${d})
  endforeach()
endfunction()
