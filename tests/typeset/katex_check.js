// Reads one LaTeX formula per line from stdin and prints "ok" or "error: why" for each, in order.
// Usage: node katex_check.js KATEX_FOLDER. Strict: what standard LaTeX would not take is an error too.
'use strict';
const katex = require(process.argv[2]);
const lines = require('fs').readFileSync(0, 'utf8').split('\n');
if (lines.length && lines[lines.length - 1] === '') lines.pop();
let failed = 0;
for (const line of lines) {
    try {
        katex.renderToString(line, { throwOnError: true, strict: 'error', displayMode: true });
        console.log('ok');
    } catch (e) {
        failed++;
        console.log('error: ' + String(e.message).replace(/\n/g, ' '));
    }
}
process.exitCode = failed ? 1 : 0;
