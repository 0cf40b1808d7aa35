// Lance le module du lanceur pour Node avec les arguments de « gelim --batch » :
//   node lancer.cjs gelim_noeud.js [ARGUMENTS ...]
// Le module lit ses arguments dans process.argv et ses variables dans ENV, que
// Node ne lui transmet pas de lui-même : on lui passe celles de Gelim.
'use strict';
const path = require('path');
const [noeud, , programme, ...arguments_] = process.argv;
process.argv = [noeud, programme, ...arguments_];
globalThis.Module = {
  preRun: [
    () => {
      for (const v of ['GELIM_PROFONDEUR', 'GELIM_EXEMPLES'])
        if (process.env[v] !== undefined) globalThis.Module.ENV[v] = process.env[v];
    },
  ],
};
require(path.resolve(programme));
