// Placed in front of the library's page script in a program built without
// WebAssembly SIMD (the plain twin of a page), which runs in any browser.
Module['vantrelPlainProgram'] = true;
