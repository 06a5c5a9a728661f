// A static host for a site's folder on a free port of 127.0.0.1, for the page's tests and its benchmark.
import { readFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { extname, join } from 'node:path';

const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css',
  '.wasm': 'application/wasm', '.webmanifest': 'application/manifest+json', '.png': 'image/png' };

// Serves folder, with a Content-Security-Policy header where a policy is given; the server counts the
// requests for each file (asked), its url is its address, and end() stops it with every connection it has.
export function host(folder, policy = undefined) {
  const asked = {};
  const server = createServer((request, response) => {
    const path = new URL(request.url, 'http://host').pathname.replace(/\/$/, '/index.html');
    asked[path] = (asked[path] ?? 0) + 1;
    try {
      const body = readFileSync(join(folder, path));
      response.writeHead(200, { 'Content-Type': types[extname(path)] ?? 'application/octet-stream',
        ...(policy ? { 'Content-Security-Policy': policy } : {}) });
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  server.asked = asked;
  server.end = () => { server.close(); server.closeAllConnections(); };
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => {
    server.url = `http://127.0.0.1:${server.address().port}/`;
    resolve(server);
  }));
}
