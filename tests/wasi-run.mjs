// Runs a WebAssembly module for WASI under Node.js's own WASI, as a program at a console:
// its standard streams are this process's, its arguments follow the module's name, and
// its exit status is this process's.
//
//   node --no-warnings tests/wasi-run.mjs MODULE.wasm [ARGUMENT...]
//
// Node.js says that WASI is experimental on standard error unless told --no-warnings.
// This runner touches nothing of process.stdin, and imports nothing from node:process:
// either makes standard input non-blocking, and the module would then find no input
// that arrives after it started, such as an age typed at the prompt.
import { readFile } from "node:fs/promises";
import { basename } from "node:path";
import { WASI } from "node:wasi";

const [modulePath, ...args] = process.argv.slice(2);
if (modulePath === undefined) {
    process.stderr.write("usage: node --no-warnings wasi-run.mjs MODULE.wasm [ARGUMENT...]\n");
    process.exit(2);
}
const wasi = new WASI({ version: "preview1", args: [basename(modulePath, ".wasm"), ...args], env: {}, returnOnExit: true });
const module = await WebAssembly.compile(await readFile(modulePath));
const instance = await WebAssembly.instantiate(module, wasi.getImportObject());
process.exitCode = wasi.start(instance);
