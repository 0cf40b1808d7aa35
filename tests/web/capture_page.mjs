// La capture de la page pour le LISEZ-MOI : node tests/web/capture_page.mjs SORTIE.png
// (la page de build-web/site, servie sur 127.0.0.1 le temps de la capture).
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';
import { createRequire } from 'node:module';

const puppeteer = createRequire(import.meta.url)('puppeteer-core');
const site = process.env.GELIM_SITE || path.resolve(import.meta.dirname, '../../build-web/site');
const serveur = http.createServer((req, rep) => {
  const f = path.join(site, new URL(req.url, 'http://x').pathname.replace(/^\/$/, '/index.html'));
  if (!fs.existsSync(f)) return rep.writeHead(404).end();
  const types = { '.js': 'text/javascript', '.wasm': 'application/wasm', '.css': 'text/css', '.html': 'text/html' };
  rep.writeHead(200, { 'Content-Type': types[path.extname(f)] || 'application/octet-stream' });
  fs.createReadStream(f).pipe(rep);
});
await new Promise((r) => serveur.listen(0, '127.0.0.1', r));
const navigateur = await puppeteer.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox'],
  defaultViewport: { width: 1280, height: 760 } });
const p = await navigateur.newPage();
await p.goto(`http://127.0.0.1:${serveur.address().port}/index.html`);
await p.waitForSelector('dialog.boite button');
await p.click('dialog.boite button');
await p.waitForFunction(() => document.querySelector('#b-arreter').disabled);
await p.select('#exemples', 'spirale.don');
await p.click('#b-messages');
await p.click('#b-executer');
await p.waitForFunction(() => document.querySelector('#b-arreter').disabled && !document.querySelector('dialog'));
await p.screenshot({ path: process.argv[2] || 'page_web.png' });
await navigateur.close();
serveur.close();
