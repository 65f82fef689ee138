// Tests the web page that runs the WebAssembly programs, in a real browser driven by
// playwright-core, through real key presses, as a person would use it. The page is
// served from 127.0.0.1 by a plain static file server, as a user would serve it.
//
//   node tests/browser-page.mjs --page DIR --node-modules DIR --browser CHROMIUM --screenshots DIR
//
// A failed check saves a screenshot of the page in the screenshots folder. Without the
// browser the test is skipped (exit status 77, which CTest reports as a skip).
import { existsSync } from "node:fs";
import { mkdir, readFile } from "node:fs/promises";
import { createServer } from "node:http";
import { createRequire } from "node:module";
import { extname, join, normalize, resolve } from "node:path";
import { parseArgs } from "node:util";

const { values: options } = parseArgs({
  options: {
    page: { type: "string" },
    "node-modules": { type: "string" },
    browser: { type: "string" },
    screenshots: { type: "string" },
  },
});
if (!options.browser || !existsSync(options.browser)) {
  console.log(`SKIP: no browser at '${options.browser}' (Debian: chromium)`);
  process.exit(77);
}
const { chromium } = createRequire(resolve(options["node-modules"], "playwright-core", "package.json"))("playwright-core");

const contentTypes = {
  ".html": "text/html", ".js": "text/javascript", ".mjs": "text/javascript",
  ".css": "text/css", ".wasm": "application/wasm",
};
const server = createServer(async (request, response) => {
  const path = normalize(decodeURIComponent(new URL(request.url, "http://localhost").pathname));
  try {
    const body = await readFile(join(options.page, path.endsWith("/") ? `${path}index.html` : path));
    response.writeHead(200, { "Content-Type": contentTypes[extname(path) || ".html"] ?? "application/octet-stream" });
    response.end(body);
  } catch {
    response.writeHead(404).end();
  }
});
await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
const address = `http://127.0.0.1:${server.address().port}/`;

// Flags for a machine with no network beyond the loopback, run as any user.
const browser = await chromium.launch({
  executablePath: options.browser,
  args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
         "--disable-component-update", "--disable-sync"],
});

const consoleText = (page) => page.evaluate(() => document.getElementById("console").firstChild?.textContent ?? "");
const statusText = (page) => page.evaluate(() => document.getElementById("status").textContent);

async function waitFor(page, what, read, expected) {
  const deadline = Date.now() + 10000;
  let actual;
  while (Date.now() < deadline) {
    actual = await read(page);
    if (actual === expected) {
      return;
    }
    await page.waitForTimeout(50);
  }
  throw new Error(`${what}: expected ${JSON.stringify(expected)}, actual ${JSON.stringify(actual)}`);
}

// Loads the page, then types the keys; the console must end with exactly the expected text.
const checks = [
  { name: "prompt-before-any-key", query: "", keys: [], console: "Enter your age : ", running: true },
  { name: "age-25-can-buy", query: "", keys: ["2", "5", "Enter"],
    console: "Enter your age : 25\nYou can purchase tea.\n" },
  { name: "age-18-is-too-young", query: "?program=teagate", keys: ["1", "8", "Enter"],
    console: "Enter your age : 18\nYou are too young to purchase tea.\n" },
  { name: "word-is-too-young", query: "", keys: ["t", "e", "a", "Enter"],
    console: "Enter your age : tea\nYou are too young to purchase tea.\n" },
  { name: "ctrl-d-on-no-input-is-too-young", query: "", keys: ["Control+d"],
    console: "Enter your age : You are too young to purchase tea.\n" },
  { name: "run-again", query: "", keys: ["3", "0", "Enter", "run-again", "1", "7", "Enter"],
    console: "Enter your age : 17\nYou are too young to purchase tea.\n" },
  { name: "greetline", query: "?program=greetline", keys: [], console: "Hello world!\n" },
];

let failed = 0;
await mkdir(options.screenshots, { recursive: true });
for (const check of checks) {
  const page = await browser.newPage();
  const program = check.query.includes("greetline") ? "greetline" : "teagate";
  const pageErrors = [];
  page.on("pageerror", (error) => pageErrors.push(error.message));
  try {
    await page.goto(address + check.query);
    if (check.keys.length > 0 || check.running) {
      // As a person does, the keys are pressed once the prompt shows.
      await waitFor(page, "the status", statusText, `${program} is running.`);
      await waitFor(page, "the prompt", consoleText, "Enter your age : ");
    }
    for (const key of check.keys) {
      if (key === "run-again") {
        await waitFor(page, "the status", statusText, `${program} ended with exit status 0.`);
        await page.click("#run-again");
        await waitFor(page, "the console after Run again", consoleText, "Enter your age : ");
      } else {
        await page.keyboard.press(key);
      }
    }
    if (!check.running) {
      await waitFor(page, "the status", statusText, `${program} ended with exit status 0.`);
    }
    await waitFor(page, "the console", consoleText, check.console);
    if (pageErrors.length > 0) {
      throw new Error(`the page's script failed: ${pageErrors.join("; ")}`);
    }
    console.log(`ok: ${check.name}`);
  } catch (error) {
    failed += 1;
    const screenshot = join(options.screenshots, `${check.name}.png`);
    await page.screenshot({ path: screenshot });
    console.log(`FAIL: ${check.name}: ${error.message}\n  screenshot: ${screenshot}`);
  }
  await page.close();
}
await browser.close();
server.close();
console.log(`web page: ${checks.length - failed} passed, ${failed} failed`);
process.exitCode = failed ? 1 : 0;
