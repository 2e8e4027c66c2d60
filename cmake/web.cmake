# The page's WebAssembly module, built with Emscripten (scripts/build-web.sh):
# tamrel_web.js (the loader, for the page's Web Worker) and tamrel_web.wasm.
# The memory grows with the libraries dropped on the page; the file system
# is Emscripten's in-memory one, which the worker fills and reads.
add_executable(tamrel_web_module ${PROJECT_SOURCE_DIR}/src/web/page_exports.cpp)
set_target_properties(tamrel_web_module PROPERTIES OUTPUT_NAME tamrel_web SUFFIX .js)
tamrel_layer_includes(tamrel_web_module 5 PRIVATE)
target_link_libraries(tamrel_web_module PRIVATE tamrel_web)
target_link_options(tamrel_web_module PRIVATE
  -sENVIRONMENT=worker
  -sMODULARIZE=1
  -sEXPORT_NAME=createTamrelModule
  -sALLOW_MEMORY_GROWTH=1
  -sINITIAL_MEMORY=512MB
  -sMAXIMUM_MEMORY=2GB
  -sFORCE_FILESYSTEM=1
  -sEXPORTED_FUNCTIONS=_tamrel_run,_tamrel_free
  -sEXPORTED_RUNTIME_METHODS=FS,ccall,UTF8ToString)
