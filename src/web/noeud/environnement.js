// Placé devant le module du lanceur pour Node : Node ne transmet pas ses
// variables d'environnement au module ; celles de Gelim lui sont données ici.
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function () {
  ['GELIM_PROFONDEUR', 'GELIM_EXEMPLES'].forEach(function (v) {
    if (process.env[v] !== undefined) ENV[v] = process.env[v];
  });
});
// Lancé par principal.js, le module reçoit la mémoire où le fil principal
// écrit le signal reçu ; lancé directement, il n'en a pas.
Module['signalNoeud'] = (function () {
  var donnees = require('worker_threads').workerData;
  return donnees && donnees.signal ? donnees.signal : null;
})();
