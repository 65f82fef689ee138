// Runs one of the programs, built for WASI, in the page: its standard output and error
// are written into the console, and its standard input is what the person types there,
// a line at a time as at a terminal. The programs read standard input synchronously;
// the module the page loads went through binaryen's asyncify on WASI's fd_read, so that
// a read can wait, without blocking the page, until a line is typed (asyncify-wasm drives
// that). browser_wasi_shim provides WASI; only the console and its keyboard are written here.
import { Fd, ConsoleStdout, WASI, WASIProcExit, wasi as wasiDefinitions } from "./vendor/browser_wasi_shim/index.js";
import * as Asyncify from "./vendor/asyncify-wasm/asyncify.mjs";

const programs = ["teagate", "greetline"];
const requested = new URLSearchParams(location.search).get("program");
const program = programs.includes(requested) ? requested : "teagate";

const consoleArea = document.getElementById("console");
const status = document.getElementById("status");
const runAgain = document.getElementById("run-again");
const otherProgram = document.getElementById("other-program");
document.getElementById("title").textContent = program;
document.title = `${program} in your browser`;
otherProgram.textContent = programs.find((name) => name !== program);
otherProgram.href = `?program=${otherProgram.textContent}`;

const encoder = new TextEncoder();
const decoder = new TextDecoder();

// What the console shows: all the program wrote and all that was typed, then the line
// being typed, then, while the program runs, the caret.
let shown = "";
let line = "";
let input = null;
function render() {
  const caret = document.createElement("span");
  caret.className = "caret";
  caret.textContent = " ";
  caret.setAttribute("aria-hidden", "true");
  consoleArea.replaceChildren(document.createTextNode(shown + line), ...(input ? [caret] : []));
}
function show(text) {
  shown += text;
  render();
}

// Standard input as a terminal gives it: a line once Enter is pressed; Ctrl-D hands over
// what is typed so far, or on an empty line the end of input.
class TypedInput extends Fd {
  constructor() {
    super();
    this.bytes = new Uint8Array(0);
    this.ended = false;
    this.wake = null;
  }
  give(text) {
    const more = encoder.encode(text);
    const joined = new Uint8Array(this.bytes.length + more.length);
    joined.set(this.bytes);
    joined.set(more, this.bytes.length);
    this.bytes = joined;
    this.wake?.();
  }
  end() {
    this.ended = true;
    this.wake?.();
  }
  ready() {
    return this.bytes.length > 0 || this.ended;
  }
  // A promise kept once there is something to read: asyncify-wasm suspends the program
  // until then.
  whenReady() {
    return new Promise((resolve) => {
      this.wake = () => {
        this.wake = null;
        resolve();
      };
    });
  }
  fd_fdstat_get() {
    return { ret: 0, fdstat: new wasiDefinitions.Fdstat(wasiDefinitions.FILETYPE_CHARACTER_DEVICE, 0) };
  }
  fd_read(size) {
    const data = this.bytes.slice(0, size);
    this.bytes = this.bytes.slice(data.length);
    return { ret: 0, data };
  }
}

document.addEventListener("keydown", (event) => {
  if (event.target === runAgain || event.target === otherProgram || input === null) {
    return;
  }
  if (event.ctrlKey && event.key.toLowerCase() === "d") {
    if (line === "") {
      input.end();
    } else {
      input.give(line);
      shown += line;
      line = "";
    }
  } else if (event.key === "Enter") {
    input.give(`${line}\n`);
    shown += `${line}\n`;
    line = "";
  } else if (event.key === "Backspace") {
    line = line.slice(0, -1);
  } else if (event.key.length === 1 && !event.ctrlKey && !event.metaKey && !event.altKey) {
    line += event.key;
  } else {
    return;
  }
  event.preventDefault();
  render();
});

const module = WebAssembly.compileStreaming(fetch(`${program}.wasm`));

async function run() {
  runAgain.disabled = true;
  shown = "";
  line = "";
  status.textContent = `${program} is running.`;
  input = new TypedInput();
  render();
  consoleArea.focus();

  const output = new ConsoleStdout((bytes) => show(decoder.decode(bytes, { stream: true })));
  const wasi = new WASI([program], [], [input, output, output]);
  const wasiImports = wasi.wasiImport;
  const imports = {
    wasi_snapshot_preview1: {
      ...wasiImports,
      fd_read: (fd, ...rest) =>
        fd === 0 && !input.ready()
          ? input.whenReady().then(() => wasiImports.fd_read(fd, ...rest))
          : wasiImports.fd_read(fd, ...rest),
    },
  };
  const instance = await Asyncify.instantiate(await module, imports);
  wasi.inst = instance;
  let exitStatus = 0;
  try {
    await instance.exports._start();
  } catch (error) {
    if (!(error instanceof WASIProcExit)) {
      throw error;
    }
    exitStatus = error.code;
  }
  input = null;
  render();
  status.textContent = `${program} ended with exit status ${exitStatus}.`;
  runAgain.disabled = false;
}

runAgain.addEventListener("click", run);
run();
