# What keeps a cold build affordable on two cores; included at the end of the top CMakeLists.txt, when
# every target exists. Each target is judged by what it links, directly or through PUBLIC links:
# - Qt's moc runs only for the targets that link Qt.
# - Test programs (they link GoogleTest) are compiled with little optimisation and line tables only:
#   they check the libraries, which keep their flags, and report a failure by file and line themselves.
#   Optimising and describing gtest's templates was most of their compile time.
# - Test programs are compiled a few files at a time (unity build): each test file alone spent most of its
#   time on what every one of them instantiates (gtest's registrations and printers, the fixtures'
#   helpers), which a batch instantiates once. Names local to a test file must therefore differ from those
#   of the other test files of its program; -DQUORVEL_UNITY_TESTS=OFF compiles them file by file.
# - Targets that see the same headers with the same flags share one precompiled header: the standard
#   headers the code uses most, GoogleTest for test programs and the common headers of the Qt modules
#   linked (so a layer still cannot use a module it does not link). Parsing these headers was most of
#   the time of a typical file. -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON builds without them.

set(QUORVEL_PCH_STD
    <algorithm> <array> <cmath> <cstdint> <functional> <limits> <map> <memory> <optional> <sstream>
    <string> <string_view> <utility> <vector>)
set(QUORVEL_PCH_GTEST <gtest/gtest.h>)
set(QUORVEL_PCH_QT_CORE <QByteArray> <QDir> <QFile> <QFileInfo> <QObject> <QString> <QStringList> <QTimer>)
set(QUORVEL_PCH_QT_GUI ${QUORVEL_PCH_QT_CORE} <QColor> <QFont> <QGuiApplication> <QImage> <QPainter> <QPixmap>)
set(QUORVEL_PCH_QT_WIDGETS
    ${QUORVEL_PCH_QT_GUI} <QAction> <QApplication> <QDialog> <QGridLayout> <QGroupBox> <QHBoxLayout>
    <QLabel> <QLineEdit> <QMenu> <QPushButton> <QVBoxLayout> <QWidget>)
# A group with fewer compiled files than this does not win back the time its header takes to build.
set(QUORVEL_PCH_MIN_FILES 6)
option(QUORVEL_UNITY_TESTS "Compile the test programs a few files at a time" ON)
set(QUORVEL_UNITY_BATCH 6)

# Test programs: the sanitizer build instruments every line, which costs least unoptimised.
if(QUORVEL_SANITIZE)
    set(QUORVEL_TEST_FLAGS $<$<CONFIG:RelWithDebInfo>:-O0 -g1>)
else()
    set(QUORVEL_TEST_FLAGS $<$<CONFIG:RelWithDebInfo>:-Og -g1>)
endif()

# Every target defined in dir and below it.
function(quorvel_targets_below dir out)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(sub ${subdirs})
        quorvel_targets_below(${sub} below)
        list(APPEND targets ${below})
    endforeach()
    set(${out} ${targets} PARENT_SCOPE)
endfunction()

# The targets whose headers target sees: its links and, through them, their PUBLIC links.
function(quorvel_linked_closure target out)
    get_target_property(queue ${target} LINK_LIBRARIES)
    set(seen "")
    while(queue)
        list(POP_FRONT queue item)
        # $<LINK_ONLY:...> and other expressions bring no headers; plain names are system libraries.
        if(item MATCHES "^\\$<" OR NOT TARGET ${item} OR item IN_LIST seen)
            continue()
        endif()
        list(APPEND seen ${item})
        get_target_property(next ${item} INTERFACE_LINK_LIBRARIES)
        if(next)
            list(APPEND queue ${next})
        endif()
    endwhile()
    set(${out} ${seen} PARENT_SCOPE)
endfunction()

# Sort the targets into groups by the headers they may see; the test flags and moc on the way.
set(quorvel_pch_groups "")
quorvel_targets_below(${CMAKE_SOURCE_DIR} quorvel_all_targets)
foreach(target ${quorvel_all_targets})
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|OBJECT_LIBRARY)$")
        continue()
    endif()
    quorvel_linked_closure(${target} linked)
    set(group std)
    foreach(module Widgets Gui Core)
        if(linked MATCHES "Qt6::${module}")
            string(TOLOWER "qt_${module}" group)
            get_target_property(moc ${target} AUTOMOC)
            if(moc MATCHES "-NOTFOUND$") # unless the target decided (Qt's resource libraries say no)
                set_target_properties(${target} PROPERTIES AUTOMOC ON)
            endif()
            break()
        endif()
    endforeach()
    if(linked MATCHES "GTest::")
        string(APPEND group _gtest)
        target_compile_options(${target} PRIVATE ${QUORVEL_TEST_FLAGS})
    endif()
    get_target_property(sources ${target} SOURCES)
    list(FILTER sources INCLUDE REGEX "\\.cpp$")
    list(LENGTH sources count)
    if(linked MATCHES "GTest::" AND QUORVEL_UNITY_TESTS AND count GREATER 1)
        set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE ${QUORVEL_UNITY_BATCH})
        math(EXPR count "(${count} + ${QUORVEL_UNITY_BATCH} - 1) / ${QUORVEL_UNITY_BATCH}")
    endif()
    if(count GREATER 0)
        if(NOT group IN_LIST quorvel_pch_groups)
            list(APPEND quorvel_pch_groups ${group})
            set(quorvel_pch_files_${group} 0)
        endif()
        list(APPEND quorvel_pch_group_${group} ${target})
        math(EXPR quorvel_pch_files_${group} "${quorvel_pch_files_${group}} + ${count}")
    endif()
endforeach()

# Each group's header is built by a target of its own that links what the group links (the same
# include paths, macros and position-independent code), so no member waits for another.
if(NOT CMAKE_DISABLE_PRECOMPILE_HEADERS)
    set(donor_source ${CMAKE_BINARY_DIR}/pch/donor.cpp)
    file(CONFIGURE OUTPUT ${donor_source} CONTENT "// Builds a shared precompiled header.\n")
    foreach(group ${quorvel_pch_groups})
        if(quorvel_pch_files_${group} LESS QUORVEL_PCH_MIN_FILES)
            continue()
        endif()
        set(donor quorvel_pch_${group})
        add_library(${donor} OBJECT ${donor_source})
        set(headers ${QUORVEL_PCH_STD})
        foreach(module Widgets Gui Core)
            string(TOLOWER ${module} name)
            if(group MATCHES "^qt_${name}")
                string(TOUPPER ${module} name)
                list(APPEND headers ${QUORVEL_PCH_QT_${name}})
                target_link_libraries(${donor} PRIVATE Qt6::${module})
            endif()
        endforeach()
        if(group MATCHES "_gtest$")
            list(APPEND headers ${QUORVEL_PCH_GTEST})
            target_link_libraries(${donor} PRIVATE GTest::gtest)
            target_compile_options(${donor} PRIVATE ${QUORVEL_TEST_FLAGS})
        endif()
        target_precompile_headers(${donor} PRIVATE ${headers})
        set(users ${donor} ${quorvel_pch_group_${group}})
        foreach(user ${quorvel_pch_group_${group}})
            target_precompile_headers(${user} REUSE_FROM ${donor})
        endforeach()
        if(CMAKE_CXX_COMPILER_ID MATCHES Clang)
            # Else ccache cannot cache the files that use it.
            set_property(TARGET ${users} APPEND PROPERTY COMPILE_OPTIONS -Xclang -fno-pch-timestamp)
        elseif(CMAKE_CXX_COMPILER_ID STREQUAL GNU)
            # GCC's precompiled header loses the "#pragma GCC diagnostic" lines of the headers in it, and
            # the standard library silences the false alarms of its string copies with such lines.
            set_property(TARGET ${users} APPEND PROPERTY COMPILE_OPTIONS
                         -Wno-array-bounds -Wno-stringop-overflow -Wno-stringop-overread)
        endif()
    endforeach()
endif()
