// Put before Qt's own headers on the include path of every library and test
// that must stay free of windows: each Qt Widgets header includes this one
// first, so including any of them stops the build here.
#error "This library holds the program's logic and must not use Qt Widgets."
