// Le fil principal du lanceur pour Node. Le module tourne dans un fil à part :
// son calcul ne rend jamais la main à la boucle d'événements, et seul un fil
// libre reçoit SIGINT et SIGTERM. Le numéro du signal passe par une mémoire
// partagée que la session sonde comme l'arrêt demandé par l'élève ; un second
// signal termine tout aussitôt (128 + N), comme gelim --batch.
'use strict';
const { Worker } = require('worker_threads');
const fs = require('fs');
const path = require('path');

const signal = new Int32Array(new SharedArrayBuffer(4));
const fil = new Worker(path.join(__dirname, 'gelim_noeud.js'), {
  argv: process.argv.slice(2),
  workerData: { signal },
  resourceLimits: { stackSizeMb: 512 },
  // Le module écrit sur les descripteurs 1 et 2 eux-mêmes, en attendant
  // qu'ils se vident. process.stdout, s'il servait, les rendrait non
  // bloquants (un tube plein perdrait la suite) : ce que le fil écrit par
  // Node passe par ici, par des écritures directes.
  stdout: true,
  stderr: true,
});
// Le code du fil, une fois ses deux sorties vidées jusqu'au bout.
let code = 0;
let attendus = 3;
const fini = () => {
  if (--attendus === 0) process.exit(code);
};
fil.stdout.on('data', (d) => fs.writeSync(1, d)).on('end', fini);
fil.stderr.on('data', (d) => fs.writeSync(2, d)).on('end', fini);
for (const [nom, numero] of [['SIGINT', 2], ['SIGTERM', 15]]) {
  process.on(nom, () => {
    if (Atomics.exchange(signal, 0, numero) > 0) process.exit(128 + numero);
  });
}
fil.on('error', (e) => {
  fs.writeSync(2, `gelim : ${e && e.message ? e.message : e}\n`);
  process.exit(1);
});
fil.on('exit', (c) => {
  code = c;
  fini();
});
