/* Demo users of the order database (USUARIOS), with their encoded names
   and passwords. Filled by the identification work; loaded by create.sh
   after demo.sql. */
