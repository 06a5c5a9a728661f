// Puts the page together from its parts, in two forms:
// - velmora.html, one file that carries its module and a Content-Security-Policy that lets exactly
//   its own script and style run (their hashes, written here) and nothing else;
// - site/, the same page with its script, style and module as files of their own, a web app
//   manifest, icons and a service worker that keeps it for offline play.
// Scripts and style are minified (terser, clean-css); the one file carries its module gzipped.
//   node make_page.mjs PAGE SITE_DIR WEB_SOURCE_DIR FORM_WRITER TERSER CLEANCSS ICON_SVG RUNTIME MODULE ICON...
import { execFileSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { copyFileSync, mkdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { basename, dirname, join } from 'node:path';
import { gzipSync } from 'node:zlib';

const [page, site, source, writer, terser, cleancss, iconSvg, runtime, module, ...icons] = process.argv.slice(2);
const read = (file) => readFileSync(file, 'utf8');
// Debian's tools find their modules where Debian's node looks: another node must be told.
const toolEnvironment = { ...process.env, NODE_PATH: [process.env.NODE_PATH, '/usr/share/nodejs'].filter(Boolean).join(':') };
const minified = (tool, options, text) => execFileSync(tool, options, { input: text, encoding: 'utf8', env: toolEnvironment }).trim();
const script = (text) => minified(terser, ['--compress', '--mangle', '--ecma', '2020'], text);
const styled = (text) => minified(cleancss, ['-O1'], text);
const written = (what) => execFileSync(process.execPath, [writer, what], { encoding: 'utf8' }).trim();
const form = { html: written('form'), css: written('css'), title: written('title') };
// The ids the page's parts name as @ID_NAME@, from the description and the page's own list (page_ids.h).
const ids = JSON.parse(written('ids'));
const named = (text) => text.replace(/@ID_([A-Z]+)@/g, (_, name) => ids[name]);
// The described layout beside the one-file page, for the page's tests (it is no part of either download).
writeFileSync(join(dirname(page), 'form.json'), `${written('layout')}\n`);
const sha256 = (text) => `'sha256-${createHash('sha256').update(text).digest('base64')}'`;

// The icon as a data URL, escaped as a URL needs it.
const icon = read(iconSvg).replace(/[%\n#<>]/g, encodeURIComponent).replaceAll('"', "'");
const style = styled(`${named(read(join(source, 'velmora.css')))}${form.css}`);
const start = script(named(read(join(source, 'start.js'))));
const keep = script(named(read(join(source, 'keep.js'))));
const runtimeScript = script(read(runtime));

// The template with its places filled in, each text as it stands ($ patterns included).
function fill(head, styles, scripts) {
  const parts = { HEAD: head, TITLE: form.title, ICON: icon, STYLE: styles, FORM: form.html, SCRIPTS: scripts };
  return named(read(join(source, 'page.html.in'))).replace(/@([A-Z]+)@/g, (_, name) => parts[name]);
}

// The one file. The module's base64 text is a data block, which no policy needs to allow: gzipped (with no
// name or time in its header), it is half the size.
const policy = `default-src 'none'; script-src ${sha256(keep)} ${sha256(start)} ${sha256(runtimeScript)} 'wasm-unsafe-eval'; ` +
  `style-src ${sha256(style)}; img-src data:`;
writeFileSync(page, fill(`<meta http-equiv="Content-Security-Policy" content="${policy}">\n` +
  `<script type="application/gzip" id="${ids.MODULE}">${gzipSync(readFileSync(module), { level: 9 }).toString('base64')}</script>\n` +
  `<script>${keep}</script>`, `<style>${style}</style>`,
  `<script>${runtimeScript}</script>\n<script id="${ids.START}">${start}</script>`));

// The site: every file its own, so that a host's policy of 'self' lets it run. The module's download
// begins with the page's (keep.js asks for it the same way); the runtime and the page's own script
// come as one file.
rmSync(site, { recursive: true, force: true }); // no file of an earlier build stays
mkdirSync(site, { recursive: true });
const files = {
  'index.html': fill('<link rel="manifest" href="manifest.webmanifest">\n<meta name="theme-color" content="#f0f0f0">\n' +
    `<link rel="preload" href="${basename(module)}" as="fetch" crossorigin>\n` +
    `<script src="keep.js" data-module="${basename(module)}"></script>`,
    '<link rel="stylesheet" href="velmora.css">', `<script src="velmora.js" id="${ids.START}"></script>`),
  'velmora.css': style,
  'keep.js': keep,
  'velmora.js': `${runtimeScript}\n${start}`,
};
for (const [name, text] of Object.entries(files)) writeFileSync(join(site, name), text);
for (const file of [module, join(source, 'manifest.webmanifest'), ...icons]) copyFileSync(file, join(site, basename(file)));
const kept = ['./', ...Object.keys(files), basename(module), 'manifest.webmanifest', ...icons.map((file) => basename(file))];
const version = createHash('sha256');
for (const name of kept.slice(1)) version.update(readFileSync(join(site, name)));
const worker = { VERSION: version.digest('hex').slice(0, 16), FILES: kept.map((name) => `'${name}'`).join(', '),
  MODULE: basename(module), MODULE_SHA256: createHash('sha256').update(readFileSync(module)).digest('hex') };
writeFileSync(join(site, 'sw.js'), read(join(source, 'sw.js.in')).replace(/@([A-Z0-9_]+)@/g, (_, name) => worker[name]));
